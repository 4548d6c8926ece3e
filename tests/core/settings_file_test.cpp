#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "fakes/fake_profile_file.h"
#include "fakes/this_version.h"
#include "settings/copy_lock_name.h"

using fakes::FakeProfileFile;
using namespace settings;

TEST(VersionStep, NewFileGetsOnlyTheVersion) {
    FakeProfileFile ini;
    applyVersionStep(ini);
    ASSERT_EQ(ini.values[L"Options"].size(), 1u);
    EXPECT_EQ(ini.values[L"Options"][L"Ver"], fakes::thisVersion());
    Settings s = readSettings(ini);
    EXPECT_EQ(s.displayOrder, Settings{}.displayOrder);
    EXPECT_EQ(s.refreshIntervalTenths, 5);
}

TEST(VersionStep, OlderFileLosesTheFiveListKeysOnly) {
    FakeProfileFile ini;
    ini.values[L"Options"] = {{L"Ver", L"335"},
                              {L"MainList", L"100"},
                              {L"MainListCheckMark", L"1"},
                              {L"MainWindowRefreshTime", L"9"},
                              {L"IPMC", L"1"},
                              {L"X_WindowPosition", L"1500"}};
    ini.values[L"ColorsOptions"] = {{L"MainListColor1", L"00000000001"},
                                    {L"MainListColor2", L"00000000002"},
                                    {L"BackColor00", L"123"}};
    applyVersionStep(ini);
    Settings s = readSettings(ini);
    EXPECT_EQ(ini.values[L"Options"][L"Ver"], fakes::thisVersion());
    EXPECT_EQ(s.displayOrder, Settings{}.displayOrder);
    EXPECT_EQ(s.displayMarks, Settings{}.displayMarks);
    EXPECT_EQ(s.displayColours1, Settings{}.displayColours1);
    EXPECT_EQ(s.displayColours2, Settings{}.displayColours2);
    EXPECT_EQ(s.refreshIntervalTenths, 5);
    EXPECT_EQ(s.showIpCopyEntry, 1);
    EXPECT_EQ(s.mainLeft, 1500.0f);
    EXPECT_EQ(s.colours[settings::kBackgroundColour], 123);
}

TEST(VersionStep, NewerFileIsLeftAlone) {
    FakeProfileFile ini;
    ini.values[L"Options"] = {{L"Ver", L"400"}, {L"MainList", L"100"}};
    applyVersionStep(ini);
    EXPECT_TRUE(ini.writes.empty());
    EXPECT_EQ(readSettings(ini).displayOrder, L"100");
}

TEST(ReadSettings, HandEditedValuesComeBackIntoRange) {
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* text;
        int Settings::*field;
        int expected;
    };
    const Case cases[] = {
        {L"Options", L"IPMC", L"7", &Settings::showIpCopyEntry, 1},
        {L"Options", L"SetGraph", L"9", &Settings::graphSource, 1},  // no such button: default
        {L"Options", L"ByteBit", L"-1", &Settings::rateUnit, 0},
        {L"Options", L"MainWindowRefreshTime", L"0", &Settings::refreshIntervalTenths, 1},
        {L"Options", L"HddRefreshTime", L"999", &Settings::driveRefreshSeconds, 60},
        {L"Options", L"HddIndicationType1", L"12", &Settings::driveFigure1, 3},
        {L"Options", L"AutoSET", L"abc", &Settings::saveAtExit, 0},  // not numeric reads as 0
        {L"Options", L"InSlider", L"5000", &Settings::receiveFullScale, 1600},
        {L"Options", L"NetworkAdapter", L"-7", &Settings::adapterIndex, -7},  // checked later
        {L"MemOptions", L"Slider6", L"-3", &Settings::startupIpWaitSeconds, 0},
        {L"MemOptions", L"MemDisplay", L"-1", &Settings::memoryFormat, -1},  // nothing selected
        {L"Alerts", L"CpuPercent", L"0", &Settings::alertCpuPercent, 1},
        {L"Alerts", L"CpuSeconds", L"7200", &Settings::alertCpuSeconds, 3600},
        {L"Alerts", L"TrafficMB", L"99999999", &Settings::alertTrafficMegabytes, 10000000},
        {L"Alerts", L"TrayLoadIcon", L"2", &Settings::trayLoadIcon, 1},
    };
    FakeProfileFile ini;
    for (const Case& c : cases) ini.values[c.section][c.key] = c.text;
    Settings s = readSettings(ini);
    for (const Case& c : cases) EXPECT_EQ(s.*c.field, c.expected) << c.key;

    ini.values[L"Options"][L"RemoteHostIP"] = std::wstring(600, L'x');
    EXPECT_EQ(readSettings(ini).linkRemoteHost.size(), 499u);
}

TEST(SpeedMultiplier, DerivedFromStoredSpeed) {
    EXPECT_EQ(speedMultiplierFor(400), 3);
    EXPECT_EQ(speedMultiplierFor(160), 1);
    EXPECT_EQ(speedMultiplierFor(161), 2);
    EXPECT_EQ(speedMultiplierFor(1600), 10);
}

TEST(SingleText, WindowCoordinatesAsSinglePrecisionText) {
    EXPECT_EQ(singleText(2258), L"2258");
    EXPECT_EQ(singleText(1234.5f), L"1234.5");
    EXPECT_EQ(singleText(-150), L"-150");
    EXPECT_EQ(singleText(0), L"0");
    EXPECT_EQ(singleText(-0.0f), L"0");
}

TEST(SingleText, HandEditedHugeCoordinateSurvivesASave) {
    // Written as single-precision text, eight digits would come back as "1E+08", read as 1.
    FakeProfileFile ini;
    ini.values[L"Options"] = {{L"X_WindowPosition", L"99999999"},
                              {L"Y_WindowPosition", L"-2000000000"}};
    Settings first = readSettings(ini);
    writeSettings(ini, first);
    Settings second = readSettings(ini);
    EXPECT_EQ(second.mainLeft, first.mainLeft);
    EXPECT_GT(second.mainLeft, 1e6f);
    EXPECT_EQ(second.mainTop, first.mainTop);
}

TEST(CopyLockName, OneNamePerSettingsFile) {
    const std::wstring name = copyLockName(L"C:\\Tools\\KorvaNT\\KorvaNT.ini");
    EXPECT_EQ(copyLockName(L"c:/tools/korvant/KORVANT.INI"), name);
    EXPECT_NE(copyLockName(L"C:\\Tools\\KorvaNT2\\KorvaNT.ini"), name);
    EXPECT_EQ(name.find(L'\\'), std::wstring::npos);  // a backslash would name a namespace
}
