#include <gtest/gtest.h>

#include <climits>

#include "base/texts.h"
#include "fakes/every_key_ini.h"
#include "fakes/this_version.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/text_files_win32.h"
#include "settings/load_settings.h"
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
    EXPECT_EQ(folder.readBytes(L"KorvaNT.ini"), fakes::versionOnlyIni());
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
    EXPECT_EQ(iniValue(text, "Ver"), std::to_string(kSettingsVersion));
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

TEST(ProfileFileWin32, EveryKeyComesBackByteForByte) {
    TempFolder folder(L"every");
    SettingsPaths paths = SettingsPaths::inFolder(folder.path());
    const std::string servers = "[Servers]\r\nIpPage=http://127.0.0.1:1/ip\r\n";
    folder.writeBytes(L"KorvaNT.ini", fakes::kEveryKeyIni + servers);
    win32::ProfileFileWin32 ini(paths.ini);
    win32::TextFilesWin32 files;
    LiveSettings live = settings::loadLiveSettings(ini, files, paths);
    // The drives the machine has now: D is unticked, as its mark says.
    for (const wchar_t* letter : {L"C", L"D", L"E"})
        live.drives.push_back({letter, 0, driveTickedByMarks(live.settings.driveMarks, letter)});

    // Saved over itself, the file does not change; keys the program never writes stay.
    ASSERT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(folder.readBytes(L"KorvaNT.ini"), fakes::kEveryKeyIni + servers);

    // Saved into a file that holds only the version, every key comes out in the save order.
    folder.writeBytes(L"KorvaNT.ini", fakes::versionOnlyIni());
    ASSERT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    EXPECT_EQ(folder.readBytes(L"KorvaNT.ini"), fakes::kEveryKeyIni);
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
    ASSERT_EQ(entries.size(), 3u);  // the huge line holds bytes code page 932 cannot decode
    EXPECT_EQ(entries[0].title, L"a");
    EXPECT_EQ(entries[2].title, L"c");
    EXPECT_FALSE(loadProxyList(files, folder.file(L"missing.txt")).size());
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
    LiveSettings live = settings::loadLiveSettings(ini, files, paths);
    EXPECT_TRUE(live.closeList.empty());
    EXPECT_TRUE(live.closeListFile.keep);
    EXPECT_FALSE(live.proxyListFile.keep);  // missing, not unreadable
    EXPECT_EQ(saveSettings(live, ini, files, paths), std::wstring(base::text(base::Text::Saved)));
    std::string after = folder.readBytes(L"CloseList.txt");
    EXPECT_EQ(after.size(), size_t{65} << 20);
    EXPECT_EQ(after.substr(0, head.size()), head);
    EXPECT_NE(GetFileAttributesW(paths.proxyList.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ProfileFileWin32, ASaveThatCannotWriteLeavesEveryFileAsItWas) {
    TempFolder folder(L"failed");
    SettingsPaths paths = SettingsPaths::inFolder(folder.path());
    const std::string ini =
        fakes::versionOnlyIni() + "IPMC=1\r\n[Servers]\r\nIpPage=http://h/ip\r\n";
    const std::string close = "Some page       3\r\n", proxy = "proxy.example.jp:8080\r\n";
    folder.writeBytes(L"KorvaNT.ini", ini);
    folder.writeBytes(L"CloseList.txt", close);
    folder.writeBytes(L"ProxyList.txt", proxy);
    win32::ProfileFileWin32 file(paths.ini);
    win32::TextFilesWin32 files;
    LiveSettings live = loadLiveSettings(file, files, paths);
    live.closeList.push_back(newCloseEntry(L"New"));
    live.proxyList.push_back(L"127.0.0.1:3128");

    // Folders where the copies would go: no copy can be written.
    const std::wstring blocked[] = {paths.ini + L".tmp", paths.closeList + L".tmp",
                                    paths.proxyList + L".tmp"};
    for (const std::wstring& path : blocked) CreateDirectoryW(path.c_str(), nullptr);
    EXPECT_EQ(saveSettings(live, file, files, paths),
              std::wstring(base::text(base::Text::SaveFailed)));
    EXPECT_EQ(folder.readBytes(L"KorvaNT.ini"), ini);
    EXPECT_EQ(folder.readBytes(L"CloseList.txt"), close);
    EXPECT_EQ(folder.readBytes(L"ProxyList.txt"), proxy);

    for (const std::wstring& path : blocked) RemoveDirectoryW(path.c_str());
    EXPECT_EQ(saveSettings(live, file, files, paths), std::wstring(base::text(base::Text::Saved)));
    std::string saved = folder.readBytes(L"KorvaNT.ini");
    EXPECT_NE(saved.find("[Servers]\r\nIpPage=http://h/ip\r\n"), std::string::npos);
    EXPECT_NE(saved.find("IPMC=1\r\n"), std::string::npos);
    EXPECT_EQ(folder.readBytes(L"CloseList.txt"), close + "New       0\r\n");
    EXPECT_EQ(GetFileAttributesW(blocked[0].c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(TextFilesWin32, ListsWithAByteOrderMarkAreReadAndWrittenInTheirEncoding) {
    TempFolder folder(L"encodings");
    win32::TextFilesWin32 files;
    const std::wstring path = folder.file(L"ProxyList.txt");
    // "ユニコード", then an empty line, in each Unicode form with its mark.
    const std::string utf16le("\xff\xfe\xe6\x30\xcb\x30\xb3\x30\xfc\x30\xc9\x30\r\0\n\0\r\0\n\0",
                              20);
    const std::string utf8 =
        "\xef\xbb\xbf\xe3\x83\xa6\xe3\x83\x8b\xe3\x82\xb3\xe3\x83\xbc\xe3\x83\x89"
        "\r\n\r\n";
    for (const std::string& bytes : {utf16le, utf8}) {
        folder.writeBytes(L"ProxyList.txt", bytes);
        auto read = files.readLines(path);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->lines, (std::vector<std::wstring>{L"ユニコード", L""}));
        ASSERT_TRUE(files.writeLines(path, read->lines, read->encoding));
        EXPECT_EQ(folder.readBytes(L"ProxyList.txt"), bytes);
    }
    // Bytes code page 932 cannot decode end the list; the lines before them are read.
    folder.writeBytes(L"ProxyList.txt", "\x8d\x4c\x8d\x90\r\nnext\r\n\x81\r\nlast\r\n");
    auto read = files.readLines(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->lines, (std::vector<std::wstring>{L"広告", L"next"}));
    EXPECT_FALSE(read->whole);
    EXPECT_EQ(read->encoding, platform::TextEncoding::Ansi);
}
