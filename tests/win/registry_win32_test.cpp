#include <windows.h>
#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "platform/win32/registry_win32.h"
#include "utilities/registry_routines.h"

namespace {

const std::wstring kKey = L"Software\\KorvaNTTest\\Registry";

class RegistryRoutines : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaNTTest"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaNTTest"); }
    std::wstring read(const std::wstring& name) {
        return utilities::readRegistryText(registry, platform::Hive::CurrentUser, kKey, name);
    }
    win32::RegistryWin32 registry;
    fakes::FakeDialogs dialogs;
};

TEST_F(RegistryRoutines, DwordWriterCreatesTheKeyAndReaderGivesDecimal) {
    ASSERT_TRUE(utilities::writeRegistryDword(registry, dialogs, kKey, L"Zero", 0));
    ASSERT_TRUE(utilities::writeRegistryDword(registry, dialogs, kKey, L"Big", 256));
    ASSERT_TRUE(utilities::writeRegistryDword(registry, dialogs, kKey, L"Minus", -1));
    EXPECT_EQ(read(L"Zero"), L"0");
    EXPECT_EQ(read(L"Big"), L"256");
    EXPECT_EQ(read(L"Minus"), L"-1");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RegistryRoutines, StringsUpTo1022BytesReadBackLongerOnesAndMissingReadEmpty) {
    ASSERT_TRUE(registry.writeString(kKey, L"Fits", std::wstring(1022, L'a')));
    ASSERT_TRUE(registry.writeString(kKey, L"TooLong", std::wstring(1023, L'a')));
    ASSERT_TRUE(registry.writeString(kKey, L"Japanese", L"プロキシ:8080"));
    EXPECT_EQ(read(L"Fits"), std::wstring(1022, L'a'));
    EXPECT_EQ(read(L"TooLong"), L"");
    EXPECT_EQ(read(L"Japanese"), L"プロキシ:8080");
    EXPECT_EQ(read(L"Missing"), L"");
    EXPECT_EQ(utilities::readRegistryText(registry, platform::Hive::CurrentUser,
                                          L"Software\\KorvaNTTest\\Nowhere", L"X"),
              L"");
}

}  // namespace
