#pragma once
#include <string>
#include <vector>

#include "monitor/readings.h"
#include "platform/registry.h"
#include "settings/live_settings.h"

namespace ui {

// The window menu (main window) and the tray menu (notification icon).
enum class MenuKind { Window, Tray };

enum MenuCommand : int {
    kOpenHomePage = 1,
    kToggleProxyUse,
    kToggleActiveScripting,
    kToggleJavaScripting,
    kCopyIpAddress,
    kReacquireIpAddress,
    kExit,
    kAddCapturedTitle,
    kReleaseMemory,
    kOpenOptions,
    kOpenHistory,
    kChooseProxy = 100,  // kChooseProxy + i: the proxy list's entry i, 0 for "使用しない"
};

// Entries whose visibility other features set; each change applies to both menus.
struct MenuVisibility {
    bool newerVersion = false;        // the update check found a newer version
    bool addCapturedTitle = false;    // auto-close on and a browser title captured
    bool copyIpAddress = false;       // IP copy entry chosen and the address item shown
    bool reacquireIpAddress = false;  // IP re-acquire entry chosen
    bool proxyMenu = false;           // proxy menu chosen
    // A memory release runs: its entry is greyed until it ends.
    bool releasing = false;
    bool operator==(const MenuVisibility&) const = default;
};

struct MenuEntry {
    int command = 0;  // 0 for a separator or a submenu
    std::wstring caption;
    bool checked = false;
    bool separator = false;
    std::vector<MenuEntry> submenu;
    bool enabled = true;  // greyed while the command cannot be given
};

// A menu as it opens; the proxy captions stay until the menu is prepared again, so a chosen
// proxy entry finds its text.
struct PreparedMenu {
    std::vector<MenuEntry> entries;
    std::vector<std::wstring> proxyCaptions;  // the proxy entries 1..n
    std::wstring proxyCaption(int command) const;
};

// The IP-copy entry shows when it is chosen and item 104 is shown.
bool ipCopyEntryVisible(const settings::LiveSettings& live);

// The visibility start-up gives the entries from the loaded settings.
MenuVisibility menuVisibilityFor(const settings::LiveSettings& live);

// A change of the model shown in the entries it concerns, and in no other: true when one
// changed. Auto-close turned on shows "クローズリストに追加" at once; its scan then decides.
bool followChange(MenuVisibility& visibility, const settings::Change& change,
                  const settings::LiveSettings& live);

// Reads the current proxy server (it becomes item 106's text), rebuilds the proxy entries with
// their check marks and, in the tray menu, the three browser toggles.
PreparedMenu prepareMenu(MenuKind kind, const MenuVisibility& visibility,
                         const settings::LiveSettings& live, const monitor::ValueTexts& shown,
                         platform::Registry& registry);

}  // namespace ui
