#include "settings/save_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "base/texts.h"
#include "fakes/every_key_ini.h"
#include "fakes/fake_ini_text.h"
#include "fakes/fake_profile_file.h"
#include "fakes/fake_text_files.h"
#include "fakes/this_version.h"
#include "platform/drives.h"
#include "settings/key_table.h"
#include "settings/load_settings.h"
#include "settings/settings_file.h"

using namespace settings;

namespace {

struct SaveFixture : ::testing::Test {
    fakes::FakeProfileFile ini;
    fakes::FakeTextFiles files;
    SettingsPaths paths = SettingsPaths::inFolder(L"C:\\k");
    LiveSettings load() { return settings::loadLiveSettings(ini, files, paths); }
    std::wstring saved(const wchar_t* section, const wchar_t* key) {
        return ini.values[section][key];
    }
};

// Converts to any field's type, to count the fields of an aggregate.
struct AnyField {
    template <class T>
    operator T() const;
};

template <class T, class... Fields>
constexpr size_t fieldCount() {
    if constexpr (requires { T{Fields{}..., AnyField{}}; })
        return fieldCount<T, Fields..., AnyField>();
    else
        return sizeof...(Fields);
}

}  // namespace

// A setting with no row is never saved, and a page's control bound to it loses every change at
// the next start. Each field of Settings has one row (the colours one row each).
TEST(KeyTable, EveryFieldOfTheSettingsHasItsRow) {
    std::vector<Field> fields;
    for (const KeyDef& def : keyTable())
        if (std::find(fields.begin(), fields.end(), def.field) == fields.end())
            fields.push_back(def.field);
        else
            EXPECT_GE(def.colourIndex, 0) << "two rows store one field: " << def.key;
    EXPECT_EQ(fieldCount<Settings>(), fields.size())
        << "a field of settings::Settings has no row in settings/key_table.cpp";
}

// Every key the save writes comes back through the file: a file holding each away from its
// default loads and saves to the same bytes, into itself and into a file holding only the
// version; the section order and each section's key order are the table's.
TEST_F(SaveFixture, EveryKeyComesBackByteForByte) {
    const std::string servers = "[Servers]\r\nIpPage=http://127.0.0.1:1/ip\r\n";
    fakes::FakeIniText file(fakes::kEveryKeyIni + servers);
    LiveSettings live = settings::loadLiveSettings(file, files, paths);
    for (const wchar_t* letter : {L"C", L"D", L"E"})
        live.drives.push_back({letter, 0, driveTickedByMarks(live.settings.driveMarks, letter)});

    // Each key of the file is away from its default, so a key read or written wrongly shows.
    fakes::FakeIniText defaults;
    writeSettings(defaults, Settings{});
    for (const KeyDef* def : saveOrder())
        EXPECT_NE(file.getString(def->section, def->key, L"<missing>"),
                  defaults.getString(def->section, def->key, L""))
            << "give " << std::string(def->key, def->key + wcslen(def->key))
            << " a value other than its default in tests/fakes/every_key_ini.h";

    ASSERT_EQ(saveSettings(live, file, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(file.text(), fakes::kEveryKeyIni + servers);
    fakes::FakeIniText fresh(fakes::versionOnlyIni());
    ASSERT_EQ(saveSettings(live, fresh, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(fresh.text(), fakes::kEveryKeyIni);
}

TEST_F(SaveFixture, DefaultListSavesToFullLengthStrings) {
    LiveSettings live = load();
    live.displayRows[1].colour2 = 255;
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(saved(L"Options", L"MainList").size(), 69u);
    EXPECT_EQ(saved(L"Options", L"MainList"), Settings{}.displayOrder);
    EXPECT_EQ(saved(L"Options", L"MainListCheckMark"), Settings{}.displayMarks);
    EXPECT_EQ(saved(L"ColorsOptions", L"MainListColor1").size(), 275u);
    EXPECT_EQ(saved(L"ColorsOptions", L"MainListColor1"), Settings{}.displayColours1);
    EXPECT_EQ(saved(L"ColorsOptions", L"MainListColor2").substr(12, 11), L"00000000255");
}

TEST_F(SaveFixture, DriveKeysCarryMarksAndFifteenColours) {
    LiveSettings live = load();
    live.drives = {{L"D", platform::kDriveFixed, true},
                   {L"E", platform::kDriveFixed, false},
                   {L"F", platform::kDriveRemovable, true}};
    live.driveColours.start[2] = -2147483633;
    live.driveColours.end[20] = 255;  // past the fifteen saved
    saveSettings(live, ini, files, paths);
    EXPECT_EQ(saved(L"Options", L"DrivesCheckMark"), L"D0F");
    std::wstring start = saved(L"ColorsOptions", L"DrivesColor2");
    std::wstring end = saved(L"ColorsOptions", L"DrivesColor1");
    EXPECT_EQ(start.size(), 15u * 12 - 1);
    EXPECT_EQ(end.size(), 15u * 12 - 1);
    EXPECT_EQ(start.substr(24, 11), L"-2147483633");
    EXPECT_EQ(end.substr(0, 11), L"00000065535");
    EXPECT_EQ(end.substr(7 * 12, 11), L"00016777215");  // past the stored seven: white

    // At the next start D and F are ticked again even though E is gone.
    LiveSettings again = load();
    EXPECT_TRUE(driveTickedByMarks(again.settings.driveMarks, L"D"));
    EXPECT_TRUE(driveTickedByMarks(again.settings.driveMarks, L"F"));
    EXPECT_FALSE(driveTickedByMarks(again.settings.driveMarks, L"E"));
    EXPECT_FALSE(driveTickedByMarks(Settings{}.driveMarks, L"C"));
}

TEST_F(SaveFixture, ListsAreWrittenAndAnyFailedWriteIsReported) {
    LiveSettings live = load();
    live.proxyList = {L"a:1", L""};
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(files.files[paths.proxyList], (std::vector<std::wstring>{L"a:1", L""}));
    EXPECT_TRUE(files.files.count(paths.closeList));

    files.failing.insert(paths.proxyList);
    live.proxyList.push_back(L"b:2");  // a list as it was saved is not written again
    EXPECT_EQ(saveSettings(live, ini, files, paths),
              std::wstring(base::text(base::Text::SaveFailed)));
    files.failing.clear();
    ini.failWrites = true;
    EXPECT_EQ(saveSettings(live, ini, files, paths),
              std::wstring(base::text(base::Text::SaveFailed)));
}

TEST_F(SaveFixture, StoredSpeedsSetTheMultipliers) {
    ini.values[L"Options"] = {
        {L"Ver", fakes::thisVersion()}, {L"InSlider", L"400"}, {L"OutSlider", L"160"}};
    LiveSettings live = load();
    EXPECT_EQ(live.inMultiplier, 3);
    EXPECT_EQ(live.outMultiplier, 1);
    EXPECT_EQ(live.settings.receiveFullScale, 400);
}

// Without the taskbar button its caption's readings are off, and a save writes them so.
TEST_F(SaveFixture, TaskbarReadingsWithoutTheButtonLoadAndSaveOff) {
    ini.values[L"Options"] = {{L"Ver", fakes::thisVersion()},
                              {L"TaskOnOff", L"0"},
                              {L"TaskCPU", L"1"},
                              {L"TaskOut", L"1"}};
    LiveSettings live = load();
    EXPECT_EQ(live.settings.taskbarShowsCpu + live.settings.taskbarShowsSend, 0);
    saveSettings(live, ini, files, paths);
    EXPECT_EQ(saved(L"Options", L"TaskCPU"), L"0");

    ini.values[L"Options"][L"TaskOnOff"] = L"1";
    ini.values[L"Options"][L"TaskCPU"] = L"1";
    EXPECT_EQ(load().settings.taskbarShowsCpu, 1);
}

// The history window's place, the alerts, the language and the export come last, each in a
// section of its own that older versions skip, and read back as they were saved.
TEST_F(SaveFixture, TheNewerSectionsAreWrittenAfterEveryOtherSection) {
    LiveSettings live = load();
    live.settings.historyLeft = 3000;
    live.settings.historyHeight = 7200;
    live.settings.alertDriveOn = 1;
    live.settings.alertTrafficMegabytes = 500;
    live.settings.exportOn = 1;
    live.settings.exportPort = L"9300";
    live.settings.exportAllowed = L"192.168.1.20 192.168.1.21";
    ASSERT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    // Older versions read the sections they know and never reach these.
    std::vector<std::wstring> order;
    for (const auto& write : ini.writes)
        if (order.empty() || order.back() != write.section) order.push_back(write.section);
    ASSERT_GE(order.size(), 2u);
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[order.size() - 4], L"History");
    EXPECT_EQ(order[order.size() - 3], L"Alerts");
    EXPECT_EQ(order[order.size() - 2], L"Display");
    EXPECT_EQ(order.back(), L"Export");
    EXPECT_EQ(std::count(order.begin(), order.end(), L"History"), 1);
    EXPECT_EQ(load().settings.historyLeft, 3000);
    EXPECT_EQ(load().settings.historyHeight, 7200);
    EXPECT_EQ(load().settings.alertDriveOn, 1);
    EXPECT_EQ(load().settings.alertTrafficMegabytes, 500);
    EXPECT_EQ(load().settings.exportOn, 1);
    EXPECT_EQ(load().settings.exportPort, L"9300");
    EXPECT_EQ(load().settings.exportAddress, L"127.0.0.1");
    EXPECT_EQ(load().settings.exportAllowed, L"192.168.1.20 192.168.1.21");
}
