#include "features/auto_close.h"

#include <deque>
#include <unordered_map>

#include "base/text_search.h"

namespace features {
namespace {

constexpr size_t kSuffixChars = 28;

}  // namespace

std::optional<std::wstring> listedTitleOf(const std::wstring& title) {
    // Any occurrence from the second character on: the name may also open the title.
    if (base::findNoCase(title, kBrowserName, 2) == 0) return std::nullopt;
    std::wstring text = title.substr(0, title.find(L'\0'));
    return text.substr(0, text.size() > kSuffixChars ? text.size() - kSuffixChars : 0);
}

void AutoClose::capture(platform::DesktopWindows& windows, OwnWindows own) {
    platform::WindowId front = windows.foreground();
    // The tray menu brings the host window to the front: the title stays for its entry.
    if (front != 0 && front == own.host) return;
    if (std::optional<std::wstring> listed = listedTitleOf(windows.title(front))) {
        capturedTitle_ = *listed;
    } else if (front == 0 || front != own.main) {
        capturedTitle_.clear();
    }
}

namespace {

// The browser windows on the desktop by the key of their titles, each key's windows front to
// back: a row's window is looked up here rather than searched for over the desktop.
using BrowserWindows = std::unordered_map<std::wstring, std::deque<platform::WindowId>>;

BrowserWindows browserWindows(platform::DesktopWindows& windows) {
    const std::wstring suffix = windows.titleKey(kBrowserSuffix);
    BrowserWindows found;
    for (platform::DesktopWindows::TitledWindow& window : windows.topWindows()) {
        std::wstring key = windows.titleKey(window.title);
        if (key.ends_with(suffix)) found[std::move(key)].push_back(window.id);
    }
    return found;
}

}  // namespace

std::vector<std::size_t> AutoClose::tick(platform::DesktopWindows& windows, OwnWindows own,
                                         settings::LiveSettings& live) {
    if (live.settings.autoCloseOn != 1) return {};
    capture(windows, own);
    BrowserWindows found = browserWindows(windows);
    std::vector<std::size_t> counted;
    // By position: the close request lets other messages in, so the list is looked at afresh
    // for every row.
    for (size_t i = 0; i < live.closeList.size() && !found.empty(); ++i) {
        auto match = found.find(windows.titleKey(live.closeList[i].title + kBrowserSuffix));
        if (match == found.end()) continue;
        platform::WindowId window = match->second.front();
        windows.close(window);
        // A window that ignored the request is still the first one a later row with the same
        // title finds.
        if (windows.titleKey(windows.title(window)) != match->first) match->second.pop_front();
        if (match->second.empty()) found.erase(match);
        if (i < live.closeList.size()) {
            settings::increaseCloseCount(live.closeList[i]);
            counted.push_back(i);
        }
    }
    return counted;
}

bool AutoClose::addCapturedTitle(settings::LiveSettings& live) const {
    if (capturedTitle_.empty()) return false;
    for (const settings::CloseEntry& entry : live.closeList)
        if (entry.title == capturedTitle_) return false;
    settings::placeCloseEntry(live.closeList, settings::newCloseEntry(capturedTitle_),
                              live.closeOrder);
    return true;
}

}  // namespace features
