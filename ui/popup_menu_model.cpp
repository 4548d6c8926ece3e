#include "ui/popup_menu_model.h"

#include "base/text_search.h"
#include "base/texts.h"
#include "features/ip_tools.h"
#include "features/proxy_switching.h"

namespace ui {
namespace {

using base::Text;

MenuEntry command(int id, const std::wstring& caption, bool checked = false) {
    return MenuEntry{id, caption, checked, false, {}};
}

MenuEntry separator() { return MenuEntry{0, L"", false, true, {}}; }

MenuEntry proxySubmenu(const std::vector<std::wstring>& captions, const std::wstring& current) {
    MenuEntry prox{0, base::text(Text::MenuProxy), false, false, {}};
    prox.submenu.push_back(command(kChooseProxy, base::text(Text::MenuNoProxy), current.empty()));
    for (size_t i = 0; i < captions.size(); ++i) {
        bool checked = !current.empty() && base::startsWithNoCase(captions[i], current);
        prox.submenu.push_back(
            MenuEntry{kChooseProxy + static_cast<int>(i) + 1, captions[i], checked, false, {}});
    }
    return prox;
}

}  // namespace

std::wstring PreparedMenu::proxyCaption(int command) const {
    if (command == kChooseProxy) return base::text(Text::MenuNoProxy);
    size_t i = static_cast<size_t>(command - kChooseProxy - 1);
    return command > kChooseProxy && i < proxyCaptions.size() ? proxyCaptions[i] : std::wstring();
}

bool ipCopyEntryVisible(const settings::LiveSettings& live) {
    return live.settings.showIpCopyEntry == 1 && features::ipItemShown(live.displayRows);
}

MenuVisibility menuVisibilityFor(const settings::LiveSettings& live) {
    const settings::Settings& s = live.settings;
    MenuVisibility v;
    v.addCapturedTitle = s.autoCloseOn == 1;
    v.copyIpAddress = ipCopyEntryVisible(live);
    v.reacquireIpAddress = s.showIpReacquireEntry == 1;
    v.proxyMenu = s.showProxyMenu == 1;
    return v;
}

bool followChange(MenuVisibility& v, const settings::Change& change,
                  const settings::LiveSettings& live) {
    const settings::Settings& s = live.settings;
    MenuVisibility before = v;
    if (change.names(&s.autoCloseOn)) v.addCapturedTitle = s.autoCloseOn == 1;
    if (change.names(&s.showIpCopyEntry) || change.topic == settings::Topic::DisplayRows)
        v.copyIpAddress = ipCopyEntryVisible(live);
    if (change.names(&s.showIpReacquireEntry)) v.reacquireIpAddress = s.showIpReacquireEntry == 1;
    if (change.names(&s.showProxyMenu)) v.proxyMenu = s.showProxyMenu == 1;
    return !(v == before);
}

PreparedMenu prepareMenu(MenuKind kind, const MenuVisibility& visibility,
                         const settings::LiveSettings& live, const monitor::ValueTexts& shown,
                         platform::Registry& registry) {
    std::wstring current = features::readProxyText(registry);
    PreparedMenu menu;
    menu.proxyCaptions = live.proxyList;

    const settings::Settings& s = live.settings;
    if (visibility.newerVersion)
        menu.entries.push_back(command(kOpenHomePage, base::text(Text::MenuOpenHomePage)));
    if (visibility.addCapturedTitle)
        menu.entries.push_back(command(kAddCapturedTitle, base::text(Text::MenuAddCapturedTitle)));
    if (s.showMemoryReleaseEntry == 1) {
        menu.entries.push_back(command(
            kReleaseMemory,
            base::format(Text::MenuReleaseMemory, {std::to_wstring(s.manualReleaseMegabytes)})));
        menu.entries.back().enabled = !visibility.releasing;
    }
    if (kind == MenuKind::Tray) {
        using settings::Item;
        struct Toggle {
            int command;
            Text caption;
            Item item;
        };
        const Toggle toggles[] = {
            {kToggleProxyUse, Text::MenuProxyUse, Item::ProxyEnable},
            {kToggleActiveScripting, Text::MenuActiveScripting, Item::ActiveScripting},
            {kToggleJavaScripting, Text::MenuJavaScripting, Item::JavaScripting}};
        settings::ShownItems items = settings::shownItems(live.displayRows);
        for (const Toggle& toggle : toggles)
            if (items.isShown(toggle.item))
                menu.entries.push_back(command(toggle.command, base::text(toggle.caption),
                                               shown[toggle.item] == L"ON"));
    }
    if (visibility.copyIpAddress)
        menu.entries.push_back(command(kCopyIpAddress, base::text(Text::MenuCopyIpAddress)));
    if (visibility.reacquireIpAddress)
        menu.entries.push_back(
            command(kReacquireIpAddress, base::text(Text::MenuReacquireIpAddress)));
    if (visibility.proxyMenu) menu.entries.push_back(proxySubmenu(menu.proxyCaptions, current));
    if (s.showMemoryReleaseEntry == 1)
        menu.entries.push_back(separator());  // line2 goes with MemCl
    menu.entries.push_back(command(kOpenHistory, base::text(Text::MenuHistory)));
    menu.entries.push_back(command(kOpenOptions, base::text(Text::MenuOptions)));
    menu.entries.push_back(separator());
    menu.entries.push_back(command(kExit, base::text(Text::MenuExit)));
    return menu;
}

}  // namespace ui
