#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_windows.h"
#include "settings/live_settings.h"

namespace features {

// A browser window's title: page title, " - ", then the browser's name.
inline const wchar_t* const kBrowserName = L"Microsoft Internet Explorer";
// What a listed title lacks of a browser window's whole title.
inline const wchar_t* const kBrowserSuffix = L" Microsoft Internet Explorer";

// The listed form of a foreground window's title (the page title and " -"), or nothing when the
// window is no browser window: the browser's name, in any letter case, from the second
// character on.
std::optional<std::wstring> listedTitleOf(const std::wstring& title);

// The program's own windows, which keep the captured title while they are in front.
struct OwnWindows {
    platform::WindowId host = 0;
    platform::WindowId main = 0;
};

// Keeps unwanted browser windows closed: remembers the title of the browser window last in
// front, closes the windows whose titles are on the close list and counts the closes.
class AutoClose {
public:
    // One tick of the scan. Returns the rows of the close list whose counts went up.
    std::vector<std::size_t> tick(platform::DesktopWindows& windows, OwnWindows own,
                                  settings::LiveSettings& live);
    // "クローズリストに追加": the captured title joins the list unless a row has exactly that
    // title. Returns whether a row was added.
    bool addCapturedTitle(settings::LiveSettings& live) const;

    const std::wstring& capturedTitle() const { return capturedTitle_; }

private:
    void capture(platform::DesktopWindows& windows, OwnWindows own);

    std::wstring capturedTitle_;
};

}  // namespace features
