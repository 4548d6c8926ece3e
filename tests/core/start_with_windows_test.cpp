#include "features/start_with_windows.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

using features::kRunKey;
using features::kRunValueName;

namespace {

const std::wstring kExe = L"C:\\Tools\\コルバ\\KorvaNT.exe";

std::wstring runValue(fakes::FakeRegistry& registry) {
    return registry.read(platform::Hive::CurrentUser, kRunKey, kRunValueName).text;
}

}  // namespace

TEST(StartWithWindows, TheRunValueNamesThisExeInQuotesAndIsTheOnlyRecord) {
    fakes::FakeRegistry registry;
    EXPECT_FALSE(features::startsWithWindows(registry, kExe));
    EXPECT_TRUE(features::setStartWithWindows(registry, kExe, true));
    EXPECT_EQ(runValue(registry), L"\"C:\\Tools\\コルバ\\KorvaNT.exe\"");
    EXPECT_TRUE(features::startsWithWindows(registry, L"c:\\tools\\コルバ\\korvant.EXE"));
    EXPECT_FALSE(features::startsWithWindows(registry, L"C:\\Tools\\KorvaNT.exe"));
    EXPECT_TRUE(features::setStartWithWindows(registry, kExe, false));
    EXPECT_FALSE(registry.read(platform::Hive::CurrentUser, kRunKey, kRunValueName).ok);
}

TEST(StartWithWindows, AnotherCopysValueShowsOffIsReplacedWhenAskedAndOtherwiseKept) {
    fakes::FakeRegistry registry;
    registry.writeString(kRunKey, kRunValueName, L"\"D:\\Old\\KorvaNT.exe\"");
    EXPECT_FALSE(features::startsWithWindows(registry, kExe));
    EXPECT_TRUE(features::setStartWithWindows(registry, kExe, false));
    EXPECT_EQ(runValue(registry), L"\"D:\\Old\\KorvaNT.exe\"");
    registry.writeString(kRunKey, kRunValueName, L"\"C:\\Tools\\コルバ\\KorvaNT.exe\" /extra");
    EXPECT_FALSE(features::startsWithWindows(registry, kExe));
    EXPECT_TRUE(features::setStartWithWindows(registry, kExe, true));
    EXPECT_TRUE(features::startsWithWindows(registry, kExe));

    registry.failWrites = true;
    EXPECT_FALSE(features::setStartWithWindows(registry, kExe, false));
    EXPECT_TRUE(features::startsWithWindows(registry, kExe));
}
