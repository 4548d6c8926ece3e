#include "ui/options/setting_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/texts.h"
#include "fakes/fake_running_program.h"
#include "ui/options/window_commands.h"
#include "ui/popup_menu_model.h"

using namespace ui::options;
using fakes::FakeRunningProgram;
using settings::Settings;

namespace {

struct SettingRules : ::testing::Test {
    settings::LiveSettings live;
    FakeRunningProgram program;
    Settings& s = live.settings;
};

}  // namespace

TEST_F(SettingRules, IntervalSlidersAnnounceTheirValueAndCaptionIt) {
    std::vector<const void*> named;
    live.notices.subscribe([&](const settings::Change& c) { named.push_back(c.field); });
    moveSlider(Slider::RefreshInterval, 5, live);
    EXPECT_EQ(sliderCaption(Slider::RefreshInterval, live), L"メインウインドウの更新間隔  0.5秒");
    moveSlider(Slider::RefreshInterval, 10, live);
    EXPECT_EQ(sliderCaption(Slider::RefreshInterval, live), L"メインウインドウの更新間隔  1秒");
    moveSlider(Slider::RefreshInterval, 1000, live);  // held to the range
    EXPECT_EQ(s.refreshIntervalTenths, 100);
    EXPECT_EQ(settings::millisecondsOfTenths(s.refreshIntervalTenths), 10000u);
    EXPECT_EQ(named, std::vector<const void*>(3, &s.refreshIntervalTenths));

    moveSlider(Slider::AutoCloseInterval, 15, live);
    EXPECT_EQ(sliderCaption(Slider::AutoCloseInterval, live), L"自動クローズ監視間隔  1.5秒");
    moveSlider(Slider::DriveRefresh, 7, live);
    EXPECT_EQ(sliderCaption(Slider::DriveRefresh, live), L"HDD内容更新間隔  7秒");
    moveSlider(Slider::StartupIpWait, 0, live);
    EXPECT_EQ(sliderCaption(Slider::StartupIpWait, live), L"起動時にIPアドレス取得を0秒待つ");
    moveSlider(Slider::FolderWatch, 0, live);  // stops the folder sizing
    EXPECT_EQ(settings::millisecondsOfTenths(live.folderWatchTenths), 0u);
    EXPECT_EQ(sliderCaption(Slider::FolderWatch, live), L"監視速度\u30000ms秒");
    EXPECT_EQ(named.back(), &live.folderWatchTenths);
}

TEST_F(SettingRules, MultipliersMoveTheSpeedMaximaAndTheSpeedFollowsDown) {
    EXPECT_EQ(sliderRange(Slider::ReceiveScale, live).max, 160);
    moveSlider(Slider::ReceiveMultiplier, 2, live);
    EXPECT_EQ(sliderRange(Slider::ReceiveScale, live).max, 320);
    EXPECT_EQ(s.receiveFullScale, 1);  // the value stays
    moveSlider(Slider::ReceiveScale, 300, live);
    EXPECT_EQ(sliderCaption(Slider::ReceiveScale, live), L"受信速度設定  2400Kbyte/秒");
    moveSlider(Slider::ReceiveMultiplier, 1, live);
    EXPECT_EQ(s.receiveFullScale, 160);
    EXPECT_EQ(sliderRange(Slider::SendScale, live).max, 160);  // the other scale is its own

    choose(&Settings::rateUnit, 1, live, program);
    EXPECT_EQ(sliderCaption(Slider::ReceiveScale, live), L"受信速度設定  10240Kbit/秒");
    EXPECT_EQ(sliderCaption(Slider::SendScale, live), L"送信速度設定  64Kbit/秒");
}

TEST_F(SettingRules, PresetsSetBothSpeedsAndRaiseAMultiplierThatCannotHoldThem) {
    applyLinePreset(3, live);  // 192 for receive is beyond 160
    EXPECT_EQ(s.receiveFullScale, 192);
    EXPECT_EQ(s.sendFullScale, 16);
    EXPECT_EQ(live.inMultiplier, 2);
    EXPECT_EQ(live.outMultiplier, 1);
    applyLinePreset(0, live);  // a smaller preset leaves a raised multiplier alone
    EXPECT_EQ(s.receiveFullScale, 1);
    EXPECT_EQ(live.inMultiplier, 2);
    applyLinePreset(4, live);  // no such preset
    EXPECT_EQ(s.receiveFullScale, 1);
}

TEST_F(SettingRules, TaskbarButtonOffUnticksAndLocksItsReadings) {
    s.taskbarButtonOn = 1;
    s.taskbarShowsCpu = s.taskbarShowsSend = 1;
    setCheck(&Settings::taskbarButtonOn, false, live, program);
    EXPECT_EQ(program.taskbarButton, false);
    EXPECT_EQ(s.taskbarShowsCpu + s.taskbarShowsMemory + s.taskbarShowsReceive + s.taskbarShowsSend,
              0);
    EXPECT_FALSE(checkEnabled(&Settings::taskbarShowsMemory, live));
    setCheck(&Settings::taskbarShowsMemory, true, live, program);  // locked
    EXPECT_EQ(s.taskbarShowsMemory, 0);

    setCheck(&Settings::taskbarButtonOn, true, live, program);
    EXPECT_EQ(program.taskbarButton, true);
    EXPECT_EQ(s.taskbarShowsCpu, 0);  // not brought back
    EXPECT_TRUE(checkEnabled(&Settings::taskbarShowsCpu, live));
}

TEST_F(SettingRules, MenuEntriesFollowTheirOwnChecksAndNoOther) {
    ui::MenuVisibility menus;
    live.notices.subscribe([&](const settings::Change& c) { ui::followChange(menus, c, live); });
    for (int Settings::*field :
         {&Settings::autoCloseOn, &Settings::showIpReacquireEntry, &Settings::showProxyMenu})
        setCheck(field, true, live, program);
    EXPECT_TRUE(menus.addCapturedTitle && menus.reacquireIpAddress && menus.proxyMenu);

    // The scan found no browser title: an unrelated box leaves the entry hidden.
    menus.addCapturedTitle = false;
    setCheck(&Settings::saveAtExit, false, live, program);
    choose(&Settings::graphSource, 2, live, program);
    EXPECT_EQ(s.saveAtExit, 0);
    EXPECT_FALSE(menus.addCapturedTitle);
    setCheck(&Settings::showProxyMenu, false, live, program);
    EXPECT_FALSE(menus.proxyMenu);
    EXPECT_TRUE(menus.reacquireIpAddress);
}

TEST_F(SettingRules, OptionGroupsActOnTheProgram) {
    program.optionsVisible = false;  // start-up's own setting never moves the windows
    choose(&Settings::topmostChoice, 0, live, program);
    EXPECT_FALSE(program.topmost.has_value());
    program.optionsVisible = true;
    choose(&Settings::topmostChoice, 0, live, program);
    EXPECT_EQ(program.topmost, true);
    choose(&Settings::topmostChoice, 1, live, program);
    EXPECT_EQ(program.topmost, false);

    choose(&Settings::graphSource, 3, live, program);
    EXPECT_EQ(s.graphSource, 3);
    EXPECT_EQ(program.graphRestarts, 1);
    choose(&Settings::drawMode, 0, live, program);
    EXPECT_EQ(program.resizeRequests, 1);
    choose(&Settings::hoverChoice, 1, live, program);
    EXPECT_EQ(s.hoverChoice, 1);
}

TEST_F(SettingRules, ColoursActWhereTheyAreDrawn) {
    pickColour(settings::kGraphBackColour, 0x123456, live, program);
    EXPECT_EQ(program.graphBackground, 0x123456);
    pickColour(settings::kBackgroundColour, 255, live, program);
    EXPECT_EQ(program.mainBackground, 255);

    // The drive colour swatch feeds the drive row last selected, and only once one was.
    pickColour(settings::kDriveStartPickColour, 77, live, program);
    EXPECT_EQ(s.colours[settings::kDriveStartPickColour], 77);
    EXPECT_EQ(live.driveColours.start[0], settings::kWhite);
    live.lastSelectedDriveRow = 2;  // as the drive list's selection leaves it
    pickColour(settings::kDriveStartPickColour, 88, live, program);
    EXPECT_EQ(live.driveColours.start[1], 88);
    EXPECT_EQ(program.barRepaints, 1);
}

TEST_F(SettingRules, TotalsCountAgainFromZeroOrShowTheWholeCount) {
    program.receiveTotal = 5'000'000;
    resetTotal(true, live, program);
    EXPECT_EQ(live.receiveTotalBase, 5'000'000);
    EXPECT_EQ(live.sendTotalBase, 0);
    wholeTotal(true, live);
    EXPECT_EQ(live.receiveTotalBase, 0);
}

TEST(WindowCommands, PlacementsSizeResetAndTheSizeWindowText) {
    PixelPoint p = placementFor(Placement::BottomRight, 1280, 994, 170, 152);
    EXPECT_EQ(p.x, 1110);
    EXPECT_EQ(p.y, 842);
    p = placementFor(Placement::Reset, 1280, 994, 170, 152);
    EXPECT_EQ(p.x + p.y, 0);
    EXPECT_NE(std::wstring(placementMessage(Placement::Reset)),
              placementMessage(Placement::TopLeft));

    MainWindowSizeTwips size = resetMainWindowSize(142);
    EXPECT_EQ(size.width, 2496);
    EXPECT_EQ(size.height, 142 * 15 + 128);
    EXPECT_EQ(size.scaleHeight, 142);
    EXPECT_EQ(sizeWindowText(200, 200), L"X=3000Y=3000");
    base::setLanguage(base::Language::English);
    const std::wstring english = sizeWindowText(200, 300);
    base::setLanguage(base::Language::Japanese);
    EXPECT_EQ(english, L"3000 × 4500 twips");
}
