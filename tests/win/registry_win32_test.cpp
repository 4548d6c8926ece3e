#include "platform/win32/registry_win32.h"

// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <gtest/gtest.h>
// clang-format on

#include "fakes/fake_registry.h"
#include "features/registry_routines.h"
#include "monitor/browser_registry.h"

namespace {

const std::wstring kKey = L"Software\\KorvaNTTest\\Registry";

class RegistryRoutines : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaNTTest"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaNTTest"); }
    std::wstring read(const std::wstring& name) {
        return monitor::readRegistryText(registry, platform::Hive::CurrentUser, kKey, name);
    }
    win32::RegistryWin32 registry;
    fakes::FakeDialogs dialogs;
};

TEST_F(RegistryRoutines, DwordWriterCreatesTheKeyAndReaderGivesDecimal) {
    ASSERT_TRUE(features::writeRegistryDword(registry, dialogs, kKey, L"Zero", 0));
    ASSERT_TRUE(features::writeRegistryDword(registry, dialogs, kKey, L"Big", 256));
    ASSERT_TRUE(features::writeRegistryDword(registry, dialogs, kKey, L"Minus", -1));
    EXPECT_EQ(read(L"Zero"), L"0");
    EXPECT_EQ(read(L"Big"), L"256");
    EXPECT_EQ(read(L"Minus"), L"-1");
    EXPECT_TRUE(dialogs.shown.empty());

    // Another program changing, deleting and re-creating the key is seen on the next read.
    HKEY other = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_SET_VALUE, &other),
              ERROR_SUCCESS);
    DWORD three = 3;
    RegSetValueExW(other, L"Big", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&three), 4);
    RegCloseKey(other);
    EXPECT_EQ(read(L"Big"), L"3");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaNTTest");
    EXPECT_EQ(read(L"Big"), L"") << "deleted key";
    ASSERT_TRUE(features::writeRegistryDword(registry, dialogs, kKey, L"Big", 7));
    EXPECT_EQ(read(L"Big"), L"7") << "re-created key";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaNTTest");
    ASSERT_TRUE(features::writeRegistryDword(registry, dialogs, kKey, L"Big", 9));
    EXPECT_EQ(read(L"Big"), L"9") << "deleted and re-created between two reads";
}

TEST_F(RegistryRoutines, ChangesToTheKeysReadAreNoticedOnce) {
    // The program's message loop waits on the change event and tells the registry; so does this.
    auto toldWithin2s = [this] {
        if (WaitForSingleObject(registry.changeEvent(), 2000) == WAIT_OBJECT_0)
            registry.changeSeen();
        return registry.changedSinceLastAsked();
    };
    ASSERT_TRUE(features::writeRegistryDword(registry, dialogs, kKey, L"Value", 1));
    EXPECT_EQ(read(L"Value"), L"1");
    registry.changedSinceLastAsked();  // the first round reads anyway
    EXPECT_FALSE(registry.changedSinceLastAsked()) << "nothing changed";

    // Another program's write, a new value and the key's deletion are each noticed.
    auto setByOther = [](const wchar_t* name, DWORD value) {
        HKEY other = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_SET_VALUE, &other),
                  ERROR_SUCCESS);
        RegSetValueExW(other, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        RegCloseKey(other);
    };
    setByOther(L"Value", 2);
    EXPECT_TRUE(toldWithin2s());
    EXPECT_EQ(read(L"Value"), L"2");
    EXPECT_FALSE(registry.changedSinceLastAsked());
    setByOther(L"Other", 5);
    EXPECT_TRUE(toldWithin2s()) << "a value added";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaNTTest");
    EXPECT_TRUE(toldWithin2s()) << "the key deleted";
    EXPECT_EQ(read(L"Value"), L"");
    EXPECT_TRUE(registry.changedSinceLastAsked()) << "a missing key cannot be watched";
    ASSERT_TRUE(features::writeRegistryDword(registry, dialogs, kKey, L"Value", 3));
    EXPECT_EQ(read(L"Value"), L"3");
    registry.changedSinceLastAsked();
    EXPECT_FALSE(registry.changedSinceLastAsked());
}

TEST_F(RegistryRoutines, StringsUpTo1022BytesReadBackLongerOnesAndMissingReadEmpty) {
    using platform::StringWrite;
    EXPECT_EQ(registry.writeString(kKey, L"Fits", std::wstring(1022, L'a')),
              StringWrite::WrittenToNewKey);
    EXPECT_EQ(registry.writeString(kKey, L"TooLong", std::wstring(1023, L'a')),
              StringWrite::WrittenToExistingKey);
    EXPECT_EQ(registry.writeString(kKey, L"Japanese", L"プロキシ:8080"),
              StringWrite::WrittenToExistingKey);
    EXPECT_EQ(read(L"Fits"), std::wstring(1022, L'a'));
    EXPECT_EQ(read(L"TooLong"), L"");
    EXPECT_EQ(read(L"Japanese"), L"プロキシ:8080");
    EXPECT_EQ(read(L"Missing"), L"");
    EXPECT_EQ(monitor::readRegistryText(registry, platform::Hive::CurrentUser,
                                        L"Software\\KorvaNTTest\\Nowhere", L"X"),
              L"");
}

TEST_F(RegistryRoutines, StringDataIsTheAnsiTextAndTheWriteTellsWhetherTheKeyExisted) {
    ASSERT_EQ(registry.writeString(kKey, L"Proxy", L"プロキシ:8080"),
              platform::StringWrite::WrittenToNewKey);
    ASSERT_EQ(registry.writeString(kKey, L"Empty", L"before"),
              platform::StringWrite::WrittenToExistingKey);
    ASSERT_EQ(registry.writeString(kKey, L"Empty", L""),
              platform::StringWrite::WrittenToExistingKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    char data[64] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "Proxy", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(data, "\x83\x76\x83\x8d\x83\x4c\x83\x56:8080");  // code page 932
    wchar_t wide[8] = {L'x'};
    size = sizeof wide;
    EXPECT_EQ(RegQueryValueExW(key, L"Empty", nullptr, &type, reinterpret_cast<BYTE*>(wide), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    RegCloseKey(key);
    EXPECT_EQ(read(L"Empty"), L"");
}

}  // namespace
