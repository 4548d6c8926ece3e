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
    bool tick() { return autoClose.tick(windows, {kHost, kMain}, live); }
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
    rig.live.closeList.push_back(settings::newCloseEntry(L"Foo -"));
    rig.toFront(10);
    EXPECT_EQ(rig.autoClose.capturedTitle(), L"");
    EXPECT_TRUE(rig.windows.lookups.empty());
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
    EXPECT_TRUE(rig.tick());
    EXPECT_EQ(rig.windows.lookups,
              (std::vector<std::wstring>{L"Foo - Microsoft Internet Explorer",
                                         L"Bar - Microsoft Internet Explorer"}));
    EXPECT_EQ(rig.windows.closed.size(), 1u);
    EXPECT_EQ(rig.live.closeList[0].count, L"1");
    EXPECT_EQ(rig.live.closeList[0].sortKey, L"00000001");
    EXPECT_TRUE(rig.tick());
    EXPECT_FALSE(rig.tick());
    EXPECT_EQ(rig.windows.closed.size(), 2u);
    EXPECT_EQ(rig.live.closeList[0].count, L"2");
    EXPECT_EQ(rig.live.closeList[1].count, L"9");
    EXPECT_TRUE(rig.windows.windows.count(12));
}
