#include "windows/popup_menu_model.h"

#include "utilities/ip_tools.h"
#include "utilities/proxy_switching.h"
#include "utilities/text_search.h"

namespace windows {
namespace {

bool rowShown(const std::vector<settings::DisplayRow>& rows, const wchar_t* id) {
    for (const settings::DisplayRow& row : rows)
        if (row.id == id && row.shown) return true;
    return false;
}

MenuEntry command(int id, const std::wstring& caption, bool checked = false) {
    return MenuEntry{id, caption, checked, false, {}};
}

MenuEntry separator() { return MenuEntry{0, L"", false, true, {}}; }

// Memory release, the close list and the options window are not in the program yet: their
// entries show where they belong, greyed.
MenuEntry unfinished(int id, const std::wstring& caption) {
    MenuEntry entry = command(id, caption);
    entry.enabled = false;
    return entry;
}

MenuEntry proxySubmenu(const std::vector<std::wstring>& captions, const std::wstring& current) {
    MenuEntry prox{0, L"プロキシ", false, false, {}};
    prox.submenu.push_back(command(kPro0, utilities::kNoProxyCaption, current.empty()));
    for (size_t i = 0; i < captions.size(); ++i) {
        bool checked = !current.empty() && utilities::startsWithNoCase(captions[i], current);
        prox.submenu.push_back(
            MenuEntry{kPro0 + static_cast<int>(i) + 1, captions[i], checked, false, {}});
    }
    return prox;
}

}  // namespace

std::wstring PreparedMenu::proxyCaption(int command) const {
    if (command == kPro0) return utilities::kNoProxyCaption;
    size_t i = static_cast<size_t>(command - kPro0 - 1);
    return command > kPro0 && i < proxyCaptions.size() ? proxyCaptions[i] : std::wstring();
}

MenuVisibility menuVisibilityFor(const settings::LiveSettings& live) {
    const settings::Settings& s = live.settings;
    MenuVisibility v;
    v.ieClose = s.autoCloseOn == 1;
    v.ipc = s.showIpCopyEntry == 1 && utilities::ipItemShown(live.displayRows);
    v.ipsai = s.showIpReacquireEntry == 1;
    v.prox = s.showProxyMenu == 1;
    return v;
}

PreparedMenu prepareMenu(MenuKind kind, const MenuVisibility& visibility,
                         const settings::LiveSettings& live, monitor::MonitorState& state,
                         platform::Registry& registry) {
    std::wstring current = utilities::refreshProxyText(registry, state);
    PreparedMenu menu;
    menu.proxyCaptions = live.proxyList;

    const settings::Settings& s = live.settings;
    if (visibility.verHp) menu.entries.push_back(command(kVerHp, L"開発元ホームページを開く"));
    if (visibility.ieClose) menu.entries.push_back(unfinished(kIeClose, L"クローズリストに追加"));
    if (s.showMemoryReleaseEntry == 1)
        menu.entries.push_back(
            unfinished(kMemCl, std::to_wstring(s.manualReleaseMegabytes) + L"MBメモリ開放"));
    if (kind == MenuKind::Tray) {
        const std::pair<int, const wchar_t*> toggles[] = {{kProxy, L"PROXY"},
                                                          {kAss, L"アクティブ スクリプト"},
                                                          {kJass, L"Javaアプレットのスクリプト"}};
        for (auto [id, caption] : toggles) {
            int slot = id - kProxy + 7;  // items 107, 108, 109
            std::wstring itemId = std::to_wstring(100 + slot);
            if (rowShown(live.displayRows, itemId.c_str()))
                menu.entries.push_back(command(id, caption, state.valueText[slot] == L"ON"));
        }
    }
    if (visibility.ipc) menu.entries.push_back(command(kIpc, L"ＩＰアドレスコピー"));
    if (visibility.ipsai) menu.entries.push_back(command(kIpsai, L"IP再取得"));
    if (visibility.prox) menu.entries.push_back(proxySubmenu(menu.proxyCaptions, current));
    if (s.showMemoryReleaseEntry == 1)
        menu.entries.push_back(separator());  // line2 goes with MemCl
    menu.entries.push_back(unfinished(kOption, L"オプション"));
    menu.entries.push_back(separator());
    menu.entries.push_back(command(kEn, L"終了"));
    return menu;
}

}  // namespace windows
