#include "features/auto_close.h"

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

bool AutoClose::tick(platform::DesktopWindows& windows, OwnWindows own,
                     settings::LiveSettings& live) {
    if (live.settings.autoCloseOn != 1) return false;
    capture(windows, own);
    bool counted = false;
    // By position: the close request lets other messages in, so the list is looked at afresh
    // for every row.
    for (size_t i = 0; i < live.closeList.size(); ++i) {
        platform::WindowId window = windows.findByTitle(live.closeList[i].title + kBrowserSuffix);
        if (window == 0) continue;
        windows.close(window);
        if (i < live.closeList.size()) {
            settings::increaseCloseCount(live.closeList[i]);
            counted = true;
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
