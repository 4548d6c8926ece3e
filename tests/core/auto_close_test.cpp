#include "features/auto_close.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop_windows.h"

using namespace features;

namespace {

constexpr platform::WindowId kHost = 1, kMain = 2;

struct Rig {
    fakes::FakeDesktopWindows windows;
    settings::LiveSettings live;
    AutoClose autoClose;

    Rig() {
        live.settings.autoCloseOn = 1;
        windows.open(kHost, L"");
        windows.open(kMain, L"");
    }
    // The rows counted.
    std::vector<size_t> tick() { return autoClose.tick(windows, {kHost, kMain}, live); }
    void toFront(platform::WindowId id) {
        windows.front = id;
        tick();
    }
};

}  // namespace

TEST(AutoClose, ListedTitleIsTheBrowserTitleWithoutItsLast28Characters) {
    EXPECT_EQ(listedTitleOf(L"Foo - Microsoft Internet Explorer"), L"Foo -");
    // The name at the very start is not a browser window.
    EXPECT_EQ(listedTitleOf(L"Microsoft Internet Explorer"), std::nullopt);
    EXPECT_EQ(listedTitleOf(L"Notepad"), std::nullopt);
    // A page titled with the name itself: its second occurrence makes it a browser window.
    EXPECT_EQ(listedTitleOf(L"Microsoft Internet Explorer - Microsoft Internet Explorer"),
              L"Microsoft Internet Explorer -");
    // Any letter case, anywhere after the first character; the last 28 go whatever they are.
    EXPECT_EQ(listedTitleOf(L"Amicrosoft internet explorer and then some text"),
              L"Amicrosoft internet");
}

TEST(AutoClose, CapturedTitleIsKeptWhileTheProgramsOwnWindowsAreInFront) {
    Rig rig;
    rig.windows.open(10, L"Foo - Microsoft Internet Explorer");
    rig.windows.open(11, L"Notepad");
    rig.toFront(10);
    EXPECT_EQ(rig.autoClose.capturedTitle(), L"Foo -");
    rig.toFront(kMain);
    rig.toFront(kHost);
    EXPECT_EQ(rig.autoClose.capturedTitle(), L"Foo -");
    rig.toFront(11);
    EXPECT_EQ(rig.autoClose.capturedTitle(), L"");
    rig.toFront(10);
    rig.toFront(0);  // nothing in front
    EXPECT_EQ(rig.autoClose.capturedTitle(), L"");
    // Off, the tick neither captures nor looks anything up.
    rig.live.settings.autoCloseOn = 0;
    rig.windows.visits = 0;
    rig.live.closeList.push_back(settings::newCloseEntry(L"Foo -"));
    rig.toFront(10);
    EXPECT_EQ(rig.autoClose.capturedTitle(), L"");
    EXPECT_EQ(rig.windows.visits, 0u);
}

TEST(AutoClose, AddingTheCapturedTitleKeepsOneRowPerExactTitle) {
    Rig rig;
    EXPECT_FALSE(rig.autoClose.addCapturedTitle(rig.live));  // nothing captured
    rig.windows.open(10, L"Foo - Microsoft Internet Explorer");
    rig.toFront(10);
    EXPECT_TRUE(rig.autoClose.addCapturedTitle(rig.live));
    EXPECT_FALSE(rig.autoClose.addCapturedTitle(rig.live));
    ASSERT_EQ(rig.live.closeList.size(), 1u);
    EXPECT_EQ(rig.live.closeList[0].count, L"0");
    rig.windows.open(11, L"FOO - Microsoft Internet Explorer");
    rig.toFront(11);
    EXPECT_TRUE(rig.autoClose.addCapturedTitle(rig.live));
    ASSERT_EQ(rig.live.closeList.size(), 2u);
    EXPECT_EQ(rig.live.closeList[0].title, L"Foo -");
    EXPECT_EQ(rig.live.closeList[1].title, L"FOO -");
}

TEST(AutoClose, EachRowClosesOneWindowPerTickAndCountsIt) {
    Rig rig;
    rig.live.closeList = {settings::newCloseEntry(L"Foo -"),
                          settings::closeEntryFromLine(L"Bar -       9")};
    rig.windows.open(10, L"foo - MICROSOFT Internet Explorer");
    rig.windows.open(11, L"Foo - Microsoft Internet Explorer");
    rig.windows.open(12, L"Foo - Microsoft Internet Explorer (2)");
    EXPECT_EQ(rig.tick(), std::vector<size_t>{0});
    EXPECT_EQ(rig.windows.closed, std::vector<platform::WindowId>{10});
    EXPECT_EQ(rig.live.closeList[0].count, L"1");
    EXPECT_EQ(rig.live.closeList[0].sortKey, L"00000001");
    EXPECT_EQ(rig.tick(), std::vector<size_t>{0});
    EXPECT_TRUE(rig.tick().empty());
    EXPECT_EQ(rig.windows.closed.size(), 2u);
    EXPECT_EQ(rig.live.closeList[0].count, L"2");
    EXPECT_EQ(rig.live.closeList[1].count, L"9");
    EXPECT_TRUE(rig.windows.windows.count(12));
}

TEST(AutoClose, RowsOfTheSameTitleInAnyCaseEachCloseTheNextWindowOrAskAgainOneThatStayed) {
    Rig rig;
    rig.live.closeList = {settings::newCloseEntry(L"Foo -"), settings::newCloseEntry(L"FOO -"),
                          settings::newCloseEntry(L"foo -")};
    rig.windows.open(10, L"Foo - Microsoft Internet Explorer");
    rig.windows.open(11, L"foo - microsoft internet explorer");
    EXPECT_EQ(rig.tick(), (std::vector<size_t>{0, 1}));
    EXPECT_EQ(rig.windows.closed, (std::vector<platform::WindowId>{10, 11}));
    EXPECT_EQ(rig.live.closeList[2].count, L"0");

    // A window that ignores the request keeps its title: every row asks it again and counts.
    struct Stubborn : fakes::FakeDesktopWindows {
        void close(platform::WindowId id) override { closed.push_back(id); }
    } stubborn;
    stubborn.open(20, L"Foo - Microsoft Internet Explorer");
    rig.live.closeList[0].count = rig.live.closeList[1].count = L"0";
    EXPECT_EQ(rig.autoClose.tick(stubborn, {kHost, kMain}, rig.live).size(), 3u);
    EXPECT_EQ(stubborn.closed, (std::vector<platform::WindowId>{20, 20, 20}));
    EXPECT_EQ(rig.live.closeList[2].count, L"1");
}

TEST(AutoClose, ScanCostGrowsWithEntriesPlusWindowsNotTheirProduct) {
    Rig rig;
    for (int i = 0; i < 1000; ++i)
        rig.live.closeList.push_back(
            settings::newCloseEntry(L"Page " + std::to_wstring(i) + L" -"));
    for (platform::WindowId id = 10; id < 510; ++id)
        rig.windows.open(id, L"Other " + std::to_wstring(id) + L" - Microsoft Internet Explorer");
    rig.windows.open(600, L"page 999 - Microsoft Internet Explorer");
    rig.windows.visits = 0;
    EXPECT_EQ(rig.tick(), std::vector<size_t>{999});
    EXPECT_EQ(rig.windows.closed, std::vector<platform::WindowId>{600});
    EXPECT_EQ(rig.live.closeList[999].count, L"1");
    EXPECT_LE(rig.windows.visits, 1000u + 503u);
}
