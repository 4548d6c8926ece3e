#include "features/folder_sizing.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop_windows.h"

using namespace features;

TEST(FolderSizing, DrivePathTitlesHaveTheirColonAndBackslashAtTheSecondCharacter) {
    EXPECT_TRUE(isDrivePathTitle(L"C:\\Windows"));
    EXPECT_TRUE(isDrivePathTitle(L"C:\\"));
    EXPECT_FALSE(isDrivePathTitle(L"Local Disk (C:)"));
    EXPECT_FALSE(isDrivePathTitle(L"D:"));
    EXPECT_FALSE(isDrivePathTitle(L"My C:\\ drive"));
    EXPECT_FALSE(isDrivePathTitle(L""));
}

TEST(FolderSizing, EachFolderWindowIsSizedOnceAtItsOwnTopLeft) {
    fakes::FakeDesktopWindows windows;
    FolderSizing sizing;
    windows.open(7, L"C:\\Windows", {30, 40, 130, 140});
    windows.open(8, L"Local Disk (C:)");
    windows.front = 7;
    EXPECT_TRUE(sizing.tick(windows, {320, 200}));
    ASSERT_EQ(windows.moves.size(), 1u);
    EXPECT_EQ(windows.moves[0].left, 30);
    EXPECT_EQ(windows.moves[0].top, 40);
    EXPECT_EQ(windows.moves[0].width, 320);
    EXPECT_EQ(windows.moves[0].height, 200);
    EXPECT_EQ(sizing.fields().title, L"C:\\Windows");
    EXPECT_EQ(sizing.fields().found, L"2");
    EXPECT_EQ(sizing.fields().handle, L"カウント数 1");
    EXPECT_EQ(sizing.fields().handles, L"7\r\n0\r\n");
    // Sized by hand afterwards, or its handle taken by a new window: left alone.
    EXPECT_FALSE(sizing.tick(windows, {320, 200}));
    windows.open(7, L"D:\\Data");
    EXPECT_FALSE(sizing.tick(windows, {320, 200}));
    windows.front = 8;
    EXPECT_FALSE(sizing.tick(windows, {320, 200}));
    EXPECT_EQ(windows.moves.size(), 1u);
    EXPECT_EQ(sizing.fields().title, L"Local Disk (C:)");
}

TEST(FolderSizing, AFullTableSizesNoNewWindowAndWritesNothingPastItsEnd) {
    fakes::FakeDesktopWindows windows;
    FolderSizing sizing(2);
    for (platform::WindowId id : {11, 12, 13}) {
        windows.open(id, L"C:\\" + std::to_wstring(id));
        windows.front = id;
        sizing.tick(windows, {300, 300});
    }
    EXPECT_EQ(windows.moves.size(), 2u);
    EXPECT_EQ(sizing.sizedCount(), 2u);
    EXPECT_EQ(sizing.fields().handles, L"11\r\n12\r\n");
    // Not sized again on later ticks either.
    sizing.tick(windows, {300, 300});
    EXPECT_EQ(windows.moves.size(), 2u);
}
