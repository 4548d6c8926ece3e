#include "monitor/status_items.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop_state.h"
#include "fakes/fake_registry.h"
#include "fakes/this_version.h"
#include "monitor/browser_registry.h"

using namespace monitor;

TEST(Uptime, DaysHoursMinutesSeconds) {
    EXPECT_EQ(uptimeText(3723000).text, L"01時02分03秒");
    EXPECT_EQ(uptimeText(59000).text, L"00分59秒");
    EXPECT_EQ(uptimeText(90061000).text, L"1日01時01分01秒");
    EXPECT_EQ(uptimeText(86405000).text, L"1日00分05秒");
    // Read unsigned, the tick count stays sound past 24.8 days.
    EXPECT_EQ(uptimeText(0xFFFFFFFFu).text, L"49日17時02分47秒");
}

TEST(StatusSwitches, OnOffFromTheRegistry) {
    fakes::FakeRegistry registry;
    auto set = [&](const wchar_t* key, const wchar_t* value, std::uint32_t n) {
        registry.values[{key, value}] = {true, platform::kRegDword, L"", n};
    };
    // Missing values: the proxy is off, the zone policies are on.
    EXPECT_EQ(readSwitch(registry, Switch::ProxyEnable), L"OFF");
    EXPECT_EQ(readSwitch(registry, Switch::ActiveScripting), L"ON");
    EXPECT_EQ(readSwitch(registry, Switch::JavaScripting), L"ON");

    set(kInternetSettingsKey, L"ProxyEnable", 1);
    set(kInternetZoneKey, L"1400", 3);
    set(kInternetZoneKey, L"1402", 1);
    EXPECT_EQ(readSwitch(registry, Switch::ProxyEnable), L"ON");
    EXPECT_EQ(readSwitch(registry, Switch::ActiveScripting), L"OFF");
    EXPECT_EQ(readSwitch(registry, Switch::JavaScripting), L"ON");

    set(kInternetSettingsKey, L"ProxyEnable", 0);
    set(kInternetZoneKey, L"1400", 0);
    set(kInternetZoneKey, L"1402", 3);
    EXPECT_EQ(readSwitch(registry, Switch::ProxyEnable), L"OFF");
    EXPECT_EQ(readSwitch(registry, Switch::ActiveScripting), L"ON");
    EXPECT_EQ(readSwitch(registry, Switch::JavaScripting), L"OFF");
    EXPECT_EQ(normalisedSwitch(Switch::ProxyEnable, L"7"), L"0");
    EXPECT_EQ(normalisedSwitch(Switch::ActiveScripting, L"1"), L"0");

    registry.values[{kInternetSettingsKey, L"ProxyServer"}] = {true, platform::kRegSz,
                                                               L"proxy:8080", 0};
    EXPECT_EQ(readProxyServer(registry), L"proxy:8080");
}

TEST(StatusTexts, AddressEdgesDateAndMemo) {
    fakes::FakeLocale locale;
    EXPECT_EQ(dateTimeText(locale).full(), L"2026/12/07 月曜日 9:05:03");

    auto lines = memoLines(L"first  \r\na\tb\r\n");
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"first", L"a b", L""}));
    EXPECT_EQ(memoLines(L"").size(), 1u) << "an empty memo still takes one line";
}

TEST(StatusTexts, MemoRowsAreTheBoxsWrappedLines) {
    using Lines = std::vector<std::wstring>;
    // 25 half-width characters fill a row; the 26th starts the next.
    EXPECT_EQ(memoLines(std::wstring(25, L'x')), Lines{std::wstring(25, L'x')});
    EXPECT_EQ(memoLines(std::wstring(30, L'x') + L"\r\nend"),
              (Lines{std::wstring(25, L'x'), L"xxxxx", L"end"}));
    // A long line breaks after its last blank that fits; blanks at the break hang and go.
    EXPECT_EQ(memoLines(L"alpha beta gamma delta epsilon zeta"),
              (Lines{L"alpha beta gamma delta", L"epsilon zeta"}));
    EXPECT_EQ(memoLines(std::wstring(25, L'y') + L"   z"), (Lines{std::wstring(25, L'y'), L"z"}));
    // A full-width character takes two columns, a half-width kana one.
    EXPECT_EQ(memoLines(std::wstring(13, L'メ')),
              (Lines{std::wstring(12, L'メ'), std::wstring(1, L'メ')}));
    EXPECT_EQ(memoLines(std::wstring(24, L'x') + L"メ"), (Lines{std::wstring(24, L'x'), L"メ"}));
    EXPECT_EQ(memoLines(std::wstring(25, L'ｶ')).size(), 1u);
    // A tab is one blank, in the width as on the row.
    EXPECT_EQ(memoLines(std::wstring(24, L'x') + L"\tab"), (Lines{std::wstring(24, L'x'), L"ab"}));
}

TEST(PowerRow, TextsByMainsAndBattery) {
    auto texts = [](int ac, int battery, int percent) {
        std::vector<std::wstring> out;
        PowerRow row = powerRow({ac, battery, percent});
        for (const render::RowText& t : row.texts) out.push_back(t.text);
        return out;
    };
    // Mains, level unknown: only the charge state, no bar.
    EXPECT_EQ(texts(1, 128, 255), (std::vector<std::wstring>{L"  ", L"", L"バッテリがありません"}));
    EXPECT_EQ(powerRow({1, 128, 255}).barWidth, 0);
    EXPECT_EQ(texts(1, 8, 40), (std::vector<std::wstring>{L"  40%  ", L"", L"充電中"}));
    EXPECT_EQ(texts(1, 2, 100)[2], L"充電完了");
    EXPECT_EQ(texts(1, 255, 100)[2], L"不明");
    EXPECT_EQ(texts(1, 3, 100)[2], L"");
    // Battery: its text at the left, the level near the right, the charge state not shown.
    EXPECT_EQ(texts(0, 8, 50), (std::vector<std::wstring>{L"  50%  ", L"バッテリー使用中  ", L""}));
    EXPECT_EQ(powerRow({0, 8, 50}).barWidth, 78);
    EXPECT_EQ(powerRow({0, 8, 50}).texts[0].x, 122);
    EXPECT_EQ(powerRow({0, 8, 50}).texts[1].x, 5);
    EXPECT_EQ(texts(255, 255, 255)[1], L"電源不明 ");
    EXPECT_EQ(texts(7, 1, 100)[1], L"  100%  ") << "another AC value keeps the level text";
}

TEST(NewVersionRow, AllThreeConditions) {
    UpdateInfo update{L"ok", fakes::thisVersion(1), L"news"};
    EXPECT_TRUE(newVersionApplies(update, true));
    EXPECT_FALSE(newVersionApplies(update, false));
    EXPECT_FALSE(newVersionApplies({L"no", fakes::thisVersion(1), L"news"}, true));
    EXPECT_FALSE(newVersionApplies({L"ok", fakes::thisVersion(), L"news"}, true));
    EXPECT_FALSE(newVersionApplies({L"ok", L"3a7", L"news"}, true));
}
