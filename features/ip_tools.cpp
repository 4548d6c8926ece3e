#include "features/ip_tools.h"

#include "base/text_search.h"

namespace features {
namespace {

const std::wstring kBodyEnd = L"></BODY>";
const std::wstring kHtmlEnd = L"</HTML>";

}  // namespace

bool ipItemShown(const std::vector<settings::DisplayRow>& rows) {
    return settings::shownItems(rows).isShown(settings::Item::PublicAddress);
}

std::optional<std::wstring> cutIpAddress(const std::wstring& page) {
    // Without the body marker the address is taken from the eighth character on.
    size_t p = base::findNoCase(page, kBodyEnd);
    size_t from = p + kBodyEnd.size() - 1;
    std::wstring rest = from < page.size() ? page.substr(from) : std::wstring();
    size_t q = base::findNoCase(rest, kHtmlEnd);
    if (q == 0 || q - 1 > kMaxAddressChars) return std::nullopt;
    return rest.substr(0, q - 1);
}

std::wstring addressFrom(const platform::HttpResponse& page) {
    std::optional<std::wstring> address;
    if (page.ok) address = cutIpAddress(page.text);
    return address ? *address : kUnreachableText;
}

bool acquireIpAddress(platform::PageFetcher& fetcher, const std::wstring& pageAddress,
                      const std::vector<settings::DisplayRow>& rows, IpArrived arrived) {
    if (!ipItemShown(rows)) return false;
    fetcher.fetch(pageAddress, [arrived = std::move(arrived)](const platform::HttpResponse& page) {
        arrived(addressFrom(page), page.text);
    });
    return true;
}

std::wstring clipboardTextFor(const std::wstring& ipText) {
    if (ipText.empty() || ipText == kAfterRestartText || ipText == kUnreachableText ||
        ipText == monitor::kLoadingText)
        return kNoAddressClip;
    return ipText;
}

bool copyIpAddress(platform::ClipboardWriter& clipboard, const std::wstring& ipText) {
    return clipboard.writeText(clipboardTextFor(ipText));
}

bool StartupIpTimer::tick(int wait) {
    if (stopped_) return false;
    bool fire = counter_ == wait;
    if (fire) {
        counter_ = kDone;
        stopped_ = true;
    }
    if (++counter_ > kDone) counter_ = kDone;
    return fire;
}

}  // namespace features
