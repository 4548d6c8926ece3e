#include <gtest/gtest.h>

#include "base/texts.h"
#include "fakes/fake_registry.h"
#include "features/proxy_switching.h"
#include "monitor/browser_registry.h"
#include "ui/hover_rule.h"
#include "ui/popup_menu_model.h"

using namespace ui;

namespace {

class PopupMenus : public ::testing::Test {
protected:
    PopupMenus() {
        settings::Settings& s = live.settings;
        live.displayRows = settings::buildDisplayRows(s.displayOrder, s.displayMarks,
                                                      s.displayColours1, s.displayColours2);
        visibility.proxyMenu = true;
    }
    void setProxyServer(const std::wstring& text) {
        registry.values[{monitor::kInternetSettingsKey, L"ProxyServer"}] = {true, platform::kRegSz,
                                                                            text, 0};
    }
    void showItem(const wchar_t* id, bool shown) {
        for (auto& row : live.displayRows)
            if (settings::itemOfId(id) == row.id) row.shown = shown;
    }
    PreparedMenu open(MenuKind kind = MenuKind::Window) {
        return prepareMenu(kind, visibility, live, shown, registry);
    }
    static const MenuEntry* find(const PreparedMenu& menu, const std::wstring& caption) {
        for (const auto& e : menu.entries) {
            if (e.caption == caption) return &e;
            for (const auto& sub : e.submenu)
                if (sub.caption == caption) return &sub;
        }
        return nullptr;
    }
    static std::vector<std::wstring> captions(const PreparedMenu& menu) {
        std::vector<std::wstring> list;
        for (const auto& e : menu.entries) list.push_back(e.separator ? L"-" : e.caption);
        return list;
    }

    settings::LiveSettings live;
    monitor::ValueTexts shown;
    fakes::FakeRegistry registry;
    MenuVisibility visibility;
};

}  // namespace

TEST_F(PopupMenus, ProxyEntriesAreCheckedByCaseInsensitivePrefix) {
    live.proxyList = {L"localhost:8080", L"localhost:80801", L"proxy.example:3128", L""};
    setProxyServer(L"LOCALHOST:8080");
    PreparedMenu menu = open();
    EXPECT_TRUE(find(menu, L"localhost:8080")->checked);
    EXPECT_TRUE(find(menu, L"localhost:80801")->checked);
    EXPECT_FALSE(find(menu, L"proxy.example:3128")->checked);
    EXPECT_FALSE(find(menu, L"使用しない")->checked);
    EXPECT_EQ(menu.proxyCaption(kChooseProxy + 2), L"localhost:80801");
    EXPECT_EQ(menu.proxyCaption(kChooseProxy), L"使用しない");
    EXPECT_EQ(menu.proxyCaption(kChooseProxy + 9), L"");
}

TEST_F(PopupMenus, EmptyOrMissingProxyChecksOnlyNoProxy) {
    PreparedMenu missing = open();
    ASSERT_EQ(find(missing, L"プロキシ")->submenu.size(), 1u);
    EXPECT_TRUE(find(missing, L"使用しない")->checked);

    live.proxyList = {L"localhost:8080", L""};
    setProxyServer(L"");
    PreparedMenu empty = open();
    EXPECT_TRUE(find(empty, L"使用しない")->checked);
    for (const auto& sub : find(empty, L"プロキシ")->submenu)
        EXPECT_EQ(sub.checked, sub.command == kChooseProxy) << sub.command;
}

TEST_F(PopupMenus, RemovedListEntryLeavesTheMenuAtItsNextPreparation) {
    live.proxyList = {L"a:1", L"b:2"};
    PreparedMenu before = open();
    live.proxyList.pop_back();
    EXPECT_EQ(before.proxyCaption(kChooseProxy + 2), L"b:2");  // the open menu keeps its entries
    PreparedMenu after = open();
    EXPECT_EQ(find(after, L"b:2"), nullptr);
    EXPECT_EQ(after.proxyCaption(kChooseProxy + 2), L"");
}

TEST_F(PopupMenus, BrowserTogglesAreInTheTrayMenuOnlyWhileTheirItemsAreShown) {
    showItem(L"107", true);
    showItem(L"108", true);
    shown[settings::Item::ProxyEnable] = L"ON";
    shown[settings::Item::ActiveScripting] = L"OFF";
    PreparedMenu tray = open(MenuKind::Tray);
    ASSERT_NE(find(tray, L"PROXY"), nullptr);
    EXPECT_TRUE(find(tray, L"PROXY")->checked);
    ASSERT_NE(find(tray, L"アクティブ スクリプト"), nullptr);
    EXPECT_FALSE(find(tray, L"アクティブ スクリプト")->checked);
    EXPECT_EQ(find(tray, L"Javaアプレットのスクリプト"), nullptr);

    PreparedMenu window = open(MenuKind::Window);
    EXPECT_EQ(find(window, L"PROXY"), nullptr);
    EXPECT_EQ(find(window, L"アクティブ スクリプト"), nullptr);
}

TEST_F(PopupMenus, VisibilityFollowsTheSettingsAndTheOrderIsFixed) {
    settings::Settings& s = live.settings;
    EXPECT_FALSE(menuVisibilityFor(live).copyIpAddress);
    s.showIpCopyEntry = s.showIpReacquireEntry = s.showProxyMenu = 1;
    MenuVisibility v = menuVisibilityFor(live);
    EXPECT_TRUE(v.copyIpAddress && v.reacquireIpAddress && v.proxyMenu);
    showItem(L"104", false);
    EXPECT_FALSE(menuVisibilityFor(live).copyIpAddress);  // nothing to copy

    showItem(L"109", true);
    visibility = v;
    visibility.newerVersion = true;
    EXPECT_EQ(captions(open(MenuKind::Tray)),
              (std::vector<std::wstring>{L"開発元ホームページを開く", L"Javaアプレットのスクリプト",
                                         L"ＩＰアドレスコピー", L"IP再取得", L"プロキシ",
                                         L"履歴グラフ", L"オプション", L"-", L"終了"}));
    visibility = {};
    EXPECT_EQ(captions(open(MenuKind::Window)),
              (std::vector<std::wstring>{L"履歴グラフ", L"オプション", L"-", L"終了"}));

    // The memory entry brings its separator; its caption carries the manual amount, 0 too.
    s.autoCloseOn = s.showMemoryReleaseEntry = 1;
    s.manualReleaseMegabytes = 0;
    showItem(L"104", true);
    visibility = menuVisibilityFor(live);
    PreparedMenu full = open(MenuKind::Window);
    EXPECT_EQ(captions(full),
              (std::vector<std::wstring>{L"クローズリストに追加", L"0MBメモリ開放",
                                         L"ＩＰアドレスコピー", L"IP再取得", L"プロキシ", L"-",
                                         L"履歴グラフ", L"オプション", L"-", L"終了"}));
    // Every entry's command works: none is greyed, but the memory entry while a release runs.
    for (const MenuEntry& entry : full.entries) EXPECT_TRUE(entry.enabled) << entry.caption;
    visibility.releasing = true;
    for (const MenuEntry& entry : open(MenuKind::Tray).entries)
        EXPECT_EQ(entry.enabled, entry.command != kReleaseMemory) << entry.caption;
}

// In English the same entries in the same order, the submenu's "none" too.
TEST_F(PopupMenus, EnglishMenusHoldTheSameEntries) {
    settings::Settings& s = live.settings;
    s.showIpCopyEntry = s.showIpReacquireEntry = s.showProxyMenu = s.autoCloseOn = 1;
    s.showMemoryReleaseEntry = 1;
    s.manualReleaseMegabytes = 32;
    showItem(L"104", true);
    visibility = menuVisibilityFor(live);
    base::setLanguage(base::Language::English);
    PreparedMenu menu = open(MenuKind::Window);
    base::setLanguage(base::Language::Japanese);
    EXPECT_EQ(captions(menu), (std::vector<std::wstring>{
                                  L"Add to the close list", L"Release 32 MB of memory",
                                  L"Copy IP address", L"Get IP address again", L"Proxy server",
                                  L"-", L"History graph", L"Options", L"-", L"Exit"}));
    EXPECT_EQ(menu.entries[4].submenu[0].caption, L"None");

    // The tray's proxy toggle and the proxy submenu read differently.
    showItem(L"107", true);
    base::setLanguage(base::Language::English);
    PreparedMenu tray = open(MenuKind::Tray);
    base::setLanguage(base::Language::Japanese);
    EXPECT_EQ(captions(tray)[2], L"Use proxy");
    EXPECT_EQ(captions(tray)[5], L"Proxy server");
}

TEST(HoverRule, ZoneReachesTenPixelsBeyondEveryEdge) {
    ScreenRect w{300, 200, 470, 352};  // right and bottom exclusive
    EXPECT_TRUE(pointerNear(290, 250, w));
    EXPECT_FALSE(pointerNear(289, 250, w));
    EXPECT_TRUE(pointerNear(479, 250, w));  // last pixel 469 + 10
    EXPECT_FALSE(pointerNear(480, 250, w));
    EXPECT_TRUE(pointerNear(350, 190, w));
    EXPECT_FALSE(pointerNear(350, 189, w));
    EXPECT_TRUE(pointerNear(350, 361, w));
    EXPECT_FALSE(pointerNear(350, 362, w));
    EXPECT_FALSE(pointerNear(289, 189, w));
}

TEST(HoverRule, ThreeStates) {
    // Mouse-over on, pointer near: hide (nothing to do when already hidden).
    EXPECT_EQ(hoverAction(true, true, false, false), HoverAction::Hide);
    EXPECT_EQ(hoverAction(true, true, true, true), HoverAction::None);
    // Leaving the zone brings back a window hidden by hover, never one the user hid.
    EXPECT_EQ(hoverAction(true, false, true, false), HoverAction::Show);
    EXPECT_EQ(hoverAction(true, false, true, true), HoverAction::None);
    // With mouse-over off a near pointer hides nothing, and whatever hid it, it comes back.
    EXPECT_EQ(hoverAction(false, true, false, false), HoverAction::None);
    EXPECT_EQ(hoverAction(false, true, true, false), HoverAction::Show);
    EXPECT_EQ(hoverAction(false, false, true, true), HoverAction::None);
    EXPECT_EQ(hoverAction(false, false, false, false), HoverAction::None);
}
