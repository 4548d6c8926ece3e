#include <gtest/gtest.h>

#include <climits>

#include "app/load_settings.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/text_files_win32.h"
#include "settings/save_command.h"
#include "settings/settings_file.h"
#include "temp_folder.h"

using namespace settings;

namespace {

// Value of one "key=value" line of an INI text, or "<missing>".
std::string iniValue(const std::string& text, const std::string& key) {
    std::string prefix = "\r\n" + key + "=";
    size_t at = text.find(prefix);
    if (at == std::string::npos) return "<missing>";
    at += prefix.size();
    return text.substr(at, text.find("\r\n", at) - at);
}

}  // namespace

TEST(ProfileFileWin32, FirstStartWritesOnlyTheVersion) {
    TempFolder folder(L"first");
    win32::ProfileFileWin32 ini(folder.file(L"KorvaNT.ini"));
    applyVersionStep(ini);
    EXPECT_EQ(folder.readBytes(L"KorvaNT.ini"), "[Options]\r\nVer=336\r\n");
}

TEST(ProfileFileWin32, OlderVersionLosesTheListKeysNewerIsUntouched) {
    TempFolder folder(L"versions");
    const std::string old =
        "[Options]\r\nVer=335\r\nIPMC=1\r\nMainList=100101\r\nMainListCheckMark=11\r\n"
        "MainWindowRefreshTime=9\r\n[ColorsOptions]\r\nMainListColor1=00000000001\r\n"
        "MainListColor2=00000000002\r\nBackColor00=255\r\n";
    folder.writeBytes(L"old.ini", old);
    win32::ProfileFileWin32 oldIni(folder.file(L"old.ini"));
    applyVersionStep(oldIni);
    Settings s = readSettings(oldIni);
    std::string text = folder.readBytes(L"old.ini");
    EXPECT_EQ(iniValue(text, "Ver"), "336");
    EXPECT_EQ(iniValue(text, "MainList"), "<missing>");
    EXPECT_EQ(iniValue(text, "MainListColor2"), "<missing>");
    EXPECT_EQ(iniValue(text, "MainWindowRefreshTime"), "<missing>");
    EXPECT_EQ(s.displayOrder, Settings{}.displayOrder);
    EXPECT_EQ(s.refreshIntervalTenths, 5);
    EXPECT_EQ(s.showIpCopyEntry, 1);
    EXPECT_EQ(s.colours[settings::kBackgroundColour], 255);

    const std::string newer = "[Options]\r\nVer=400\r\nMainList=100\r\n";
    folder.writeBytes(L"new.ini", newer);
    win32::ProfileFileWin32 newIni(folder.file(L"new.ini"));
    applyVersionStep(newIni);
    EXPECT_EQ(readSettings(newIni).displayOrder, L"100");
    EXPECT_EQ(folder.readBytes(L"new.ini"), newer);
}

TEST(ProfileFileWin32, NumbersBeyond32BitsClampInsteadOfWrapping) {
    TempFolder folder(L"numbers");
    const std::string text =
        "[Options]\r\nVer=99999999999\r\nMainList=100\r\nSetGraph=" + std::string(10000, '7') +
        "\r\nEmpty=\r\nPlain= -7 \r\n[ColorsOptions]\r\nBackColor00=-99999999999\r\n"
        "BackColor01=99999999999\r\n";
    folder.writeBytes(L"KorvaNT.ini", text);
    win32::ProfileFileWin32 ini(folder.file(L"KorvaNT.ini"));
    EXPECT_EQ(ini.getInt(L"Options", L"SetGraph", 1), INT_MAX);
    EXPECT_EQ(ini.getInt(L"Options", L"Empty", 5), 5);
    EXPECT_EQ(ini.getInt(L"Options", L"Plain", 5), -7);
    EXPECT_EQ(ini.getInt(L"Options", L"Missing", 5), 5);
    // A version far beyond this one is a newer file, not a wrapped-around older one.
    applyVersionStep(ini);
    EXPECT_EQ(folder.readBytes(L"KorvaNT.ini"), text);
    Settings s = readSettings(ini);
    EXPECT_EQ(s.displayOrder, L"100");
    EXPECT_EQ(s.graphSource, 1);  // out of range: the default
    EXPECT_EQ(s.colours[settings::kBackgroundColour], INT_MIN);
    EXPECT_EQ(s.colours[settings::kTextColour], INT_MAX);
}

TEST(ProfileFileWin32, SaveWriterOutputOnTheRealProfileFunctions) {
    TempFolder folder(L"save");
    SettingsPaths paths = SettingsPaths::inFolder(folder.path());
    win32::ProfileFileWin32 ini(paths.ini);
    win32::TextFilesWin32 files;
    LiveSettings live = app::loadLiveSettings(ini, files, paths);
    live.displayRows[1].colour2 = L"255";
    live.drives = {{L"D", L"", true}, {L"E", L"", false}, {L"F", L"", true}};
    live.settings.linkRemoteHost = L"接続先.example.jp";
    ASSERT_EQ(saveSettings(live, ini, files, paths), kSavedText);

    std::string text = folder.readBytes(L"KorvaNT.ini");
    EXPECT_EQ(iniValue(text, "MainList").size(), 69u);
    EXPECT_EQ(iniValue(text, "MainListCheckMark"), "11111111110000110000110");
    EXPECT_EQ(iniValue(text, "MainListColor1").size(), 275u);
    EXPECT_EQ(iniValue(text, "MainListColor2").substr(0, 23), "00000000000 00000000255");
    EXPECT_EQ(iniValue(text, "DrivesCheckMark"), "D0F");
    EXPECT_EQ(iniValue(text, "DrivesColor1").size(), 15u * 12 - 1);
    EXPECT_EQ(iniValue(text, "WindowHeight"), "2258");
    EXPECT_EQ(iniValue(text, "SetGraph"), "1");
    // Stored in the ANSI code page: "接続先" in code page 932.
    EXPECT_EQ(iniValue(text, "RemoteHostIP"), "\x90\xda\x91\xb1\x90\xe6.example.jp");

    LiveSettings again = app::loadLiveSettings(ini, files, paths);
    EXPECT_EQ(again.settings.linkRemoteHost, L"接続先.example.jp");
    EXPECT_EQ(again.displayRows.size(), 23u);
    EXPECT_EQ(again.displayRows[1].colour2, L"00000000255");
}

TEST(TextFilesWin32, ListFilesRoundTripByteForByte) {
    TempFolder folder(L"lists");
    SettingsPaths paths = SettingsPaths::inFolder(folder.path());
    win32::TextFilesWin32 files;
    // "広告" in code page 932, then seven blanks and the count.
    const std::string close = "\x8d\x4c\x8d\x90       3\r\nYahoo! JAPAN      12\r\n";
    const std::string proxy = "proxy.example.jp:8080\r\n\r\n127.0.0.1:3128\r\n";
    folder.writeBytes(L"CloseList.txt", close);
    folder.writeBytes(L"ProxyList.txt", proxy);

    auto closeList = loadCloseList(files, paths.closeList);
    auto proxyList = loadProxyList(files, paths.proxyList);
    ASSERT_EQ(closeList.size(), 2u);
    EXPECT_EQ(closeList[0].title, L"広告");
    EXPECT_EQ(closeList[0].count, L"3");
    ASSERT_EQ(proxyList.size(), 3u);
    EXPECT_EQ(proxyList[1], L"");

    folder.writeBytes(L"CloseList.txt", "");
    folder.writeBytes(L"ProxyList.txt", "");
    ASSERT_TRUE(WriteCloseList(files, paths.closeList, closeList));
    ASSERT_TRUE(WriteProxyList(files, paths.proxyList, proxyList));
    EXPECT_EQ(folder.readBytes(L"CloseList.txt"), close);
    EXPECT_EQ(folder.readBytes(L"ProxyList.txt"), proxy);

    closeList.push_back(newCloseEntry(L"新しい窓"));
    ASSERT_TRUE(WriteCloseList(files, paths.closeList, closeList));
    EXPECT_EQ(folder.readBytes(L"CloseList.txt").substr(close.size()),
              "\x90\x56\x82\xb5\x82\xa2\x91\x8b       0\r\n");
}

TEST(TextFilesWin32, MalformedFilesLoadWithoutHarm) {
    TempFolder folder(L"junk");
    win32::TextFilesWin32 files;
    std::string junk("a\rb\nc\r\n\0\xff\xfe", 10);
    junk += std::string(200000, 'x');  // one huge line, no line end
    folder.writeBytes(L"CloseList.txt", junk);
    auto entries = loadCloseList(files, folder.file(L"CloseList.txt"));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].title, L"a");
    EXPECT_EQ(entries[2].title, L"c");
    EXPECT_FALSE(loadProxyList(files, folder.file(L"missing.txt")).size());
    EXPECT_EQ(win32::splitLines("x\r\n\r\ny").size(), 3u);
    EXPECT_TRUE(win32::splitLines("").empty());
}

TEST(TextFilesWin32, AListTooLargeToReadWholeIsLeftAsItIs) {
    TempFolder folder(L"huge");
    SettingsPaths paths = SettingsPaths::inFolder(folder.path());
    const std::string head = "Some page       3\r\n";
    folder.writeBytes(L"CloseList.txt", head);
    {  // 65 MiB without writing them: the end of the file is set past them
        HANDLE h = CreateFileW(paths.closeList.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        LARGE_INTEGER size{};
        size.QuadPart = 65LL << 20;
        ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
        CloseHandle(h);
    }
    win32::TextFilesWin32 files;
    win32::ProfileFileWin32 ini(paths.ini);
    LiveSettings live = app::loadLiveSettings(ini, files, paths);
    EXPECT_TRUE(live.closeList.empty());
    EXPECT_TRUE(live.keepCloseListFile);
    EXPECT_FALSE(live.keepProxyListFile);  // missing, not unreadable
    EXPECT_EQ(saveSettings(live, ini, files, paths), kSavedText);
    std::string after = folder.readBytes(L"CloseList.txt");
    EXPECT_EQ(after.size(), size_t{65} << 20);
    EXPECT_EQ(after.substr(0, head.size()), head);
    EXPECT_NE(GetFileAttributesW(paths.proxyList.c_str()), INVALID_FILE_ATTRIBUTES);
}
