#include "settings/side_lists.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "fakes/fake_profile_file.h"
#include "fakes/fake_text_files.h"
#include "settings/load_settings.h"
#include "settings/save_command.h"

using namespace settings;

TEST(CloseList, LinesLoadAndWriteBackUnchanged) {
    fakes::FakeTextFiles files;
    files.files[L"c"] = {L"Yahoo! JAPAN       3", L"広告ウィンドウ     120", L"short", L""};
    auto entries = loadCloseList(files, L"c");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].title, L"Yahoo! JAPAN");
    EXPECT_EQ(entries[0].count, L"3");
    EXPECT_EQ(entries[0].sortKey, L"00000003");
    EXPECT_EQ(entries[1].title, L"広告ウィンドウ");
    EXPECT_EQ(entries[1].count, L"120");
    // Lines shorter than the count field are whole titles with count 0.
    EXPECT_EQ(entries[2].title, L"short");
    EXPECT_EQ(entries[2].count, L"0");
    EXPECT_EQ(entries[3].title, L"");

    ASSERT_TRUE(WriteCloseList(files, L"out", entries));
    EXPECT_EQ(files.files[L"out"][0], L"Yahoo! JAPAN       3");
    EXPECT_EQ(files.files[L"out"][1], L"広告ウィンドウ     120");
    EXPECT_EQ(files.files[L"out"][2], L"short       0");
    EXPECT_EQ(entries[0].count, L"       3");  // the list shows the padded count afterwards
}

TEST(CloseList, NewEntriesAndCountsStayWithinTheField) {
    fakes::FakeTextFiles files;
    std::vector<CloseEntry> entries = {newCloseEntry(L"New window")};
    EXPECT_EQ(entries[0].sortKey, L"00000000");
    increaseCloseCount(entries[0]);
    increaseCloseCount(entries[0]);
    EXPECT_EQ(entries[0].count, L"2");
    EXPECT_EQ(entries[0].sortKey, L"00000002");

    // A count never grows past eight digits, so it cannot spill into the title on reload.
    CloseEntry full{L"Busy", L"99999999", L"99999999"};
    increaseCloseCount(full);
    EXPECT_EQ(full.count, L"99999999");
    std::vector<CloseEntry> huge = {{L"Huge", L"123456789", L""}, entries[0]};
    ASSERT_TRUE(WriteCloseList(files, L"c", huge));
    EXPECT_EQ(files.files[L"c"][0], L"Huge99999999");
    EXPECT_EQ(files.files[L"c"][1], L"New window       2");
    auto reloaded = loadCloseList(files, L"c");
    EXPECT_EQ(reloaded[0].title, L"Huge");

    // Counting on from the padded text the writer leaves behind.
    increaseCloseCount(huge[1]);
    EXPECT_EQ(huge[1].count, L"3");
}

TEST(SideLists, ListsWhoseFilesCannotBeReadWholeAreNeverWrittenBack) {
    fakes::FakeTextFiles files;
    SettingsPaths paths = SettingsPaths::inFolder(L"C:\\k");
    files.files[paths.closeList] = {L"Kept page       3"};
    files.files[paths.proxyList] = {L"proxy.example.jp:8080"};
    files.unreadable = {paths.closeList, paths.proxyList};
    fakes::FakeProfileFile ini;
    LiveSettings live = settings::loadLiveSettings(ini, files, paths);
    EXPECT_TRUE(live.closeList.empty());
    EXPECT_TRUE(live.closeListFile.keep && live.proxyListFile.keep);

    live.closeList.push_back(newCloseEntry(L"New"));
    EXPECT_TRUE(saveCloseList(live, files, paths));  // the exit path without auto-save
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(files.files[paths.closeList], std::vector<std::wstring>{L"Kept page       3"});
    EXPECT_EQ(files.files[paths.proxyList], std::vector<std::wstring>{L"proxy.example.jp:8080"});

    // A missing file is no reason to keep anything: the lists are written.
    fakes::FakeTextFiles fresh;
    LiveSettings first = settings::loadLiveSettings(ini, fresh, paths);
    EXPECT_FALSE(first.closeListFile.keep || first.proxyListFile.keep);
    saveSettings(first, ini, fresh, paths);
    EXPECT_TRUE(fresh.files.count(paths.closeList) && fresh.files.count(paths.proxyList));
}

TEST(SideLists, MissingFilesGiveEmptyListsAndEmptyListsEmptyFiles) {
    fakes::FakeTextFiles files;
    EXPECT_TRUE(loadProxyList(files, L"p").empty());
    EXPECT_TRUE(loadCloseList(files, L"c").empty());
    std::vector<CloseEntry> none;
    ASSERT_TRUE(WriteCloseList(files, L"c", none));
    ASSERT_TRUE(WriteProxyList(files, L"p", {}));
    EXPECT_TRUE(files.files[L"c"].empty());
    EXPECT_TRUE(files.files[L"p"].empty());

    files.files[L"p"] = {L"proxy.example.jp:8080", L"", L"127.0.0.1:3128"};
    EXPECT_EQ(loadProxyList(files, L"p").size(), 3u);  // the empty line is an entry
}

TEST(SideLists, ASaveWritesAListOnlyOnceItChangedAndInItsFilesEncoding) {
    fakes::FakeTextFiles files;
    SettingsPaths paths = SettingsPaths::inFolder(L"C:\\k");
    files.files[paths.closeList] = {L"ユニコード       3", L"short"};
    files.encodings[paths.closeList] = platform::TextEncoding::Utf16Le;
    files.files[paths.proxyList] = {L"proxy.example.jp:8080", L"\x00ff junk", L"after"};
    files.undecodableLine[paths.proxyList] = 1;
    fakes::FakeProfileFile ini;
    LiveSettings live = settings::loadLiveSettings(ini, files, paths);
    EXPECT_EQ(live.proxyList, std::vector<std::wstring>{L"proxy.example.jp:8080"});

    // As loaded, neither list is written: the files keep whatever bytes they hold.
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_TRUE(saveCloseList(live, files, paths));
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(live.closeList[0].count, L"       3");  // padded in place all the same

    // Changed, each is written, in the encoding its file had.
    increaseCloseCount(live.closeList[0]);
    live.proxyList.push_back(L"127.0.0.1:3128");
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(files.files[paths.closeList],
              (std::vector<std::wstring>{L"ユニコード       4", L"short       0"}));
    EXPECT_EQ(files.encodings[paths.closeList], platform::TextEncoding::Utf16Le);
    EXPECT_EQ(files.files[paths.proxyList],
              (std::vector<std::wstring>{L"proxy.example.jp:8080", L"127.0.0.1:3128"}));
    EXPECT_EQ(files.encodings[paths.proxyList], platform::TextEncoding::Ansi);
    EXPECT_EQ(files.writes, 2);
    // Saved again unchanged, nothing is written; a change back is a change.
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    live.proxyList.pop_back();
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(files.writes, 3);
}
