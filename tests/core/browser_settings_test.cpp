#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "features/proxy_switching.h"
#include "features/script_toggles.h"
#include "monitor/browser_registry.h"

using namespace features;
using monitor::kInternetSettingsKey;
using monitor::kInternetZoneKey;
using settings::Item;

namespace {

class BrowserSettings : public ::testing::Test {
protected:
    BrowserSettings() { registry.keys.insert(kInternetSettingsKey); }
    platform::RegistryRead value(const std::wstring& key, const std::wstring& name) {
        return registry.read(platform::Hive::CurrentUser, key, name);
    }
    fakes::FakeRegistry registry;
    fakes::FakeDialogs dialogs;
    features::StatusBar status;
    monitor::ValueTexts shown;
    std::wstring proxyField;
};

}  // namespace

TEST_F(BrowserSettings, ChoosingAnEntryWritesItAndReportsTheChange) {
    registry.writeDword(kInternetSettingsKey, L"ProxyEnable", 1);
    chooseProxy(1, L"localhost:8080", registry, status, proxyField);
    EXPECT_EQ(value(kInternetSettingsKey, L"ProxyServer").text, L"localhost:8080");
    EXPECT_EQ(status.text, L"localhost:8080 プロキシを変更しました");
    EXPECT_EQ(proxyField, L"localhost:8080");

    chooseProxy(0, L"使用しない", registry, status, proxyField);
    EXPECT_EQ(value(kInternetSettingsKey, L"ProxyServer").text, L"");
    EXPECT_EQ(value(kInternetSettingsKey, L"ProxyServer").type, platform::kRegSz);
    EXPECT_EQ(value(kInternetSettingsKey, L"ProxyEnable").dword, 1u);  // left on
    EXPECT_EQ(status.text, L"使用しない プロキシを変更しました");
    EXPECT_EQ(proxyField, L"使用しない");
}

TEST_F(BrowserSettings, ChoosingReportsErrorsInTheStatusBar) {
    registry.keys.clear();  // the settings key has to be created: still written
    chooseProxy(1, L"a:1", registry, status, proxyField);
    EXPECT_EQ(status.text, L"エラー");
    EXPECT_EQ(value(kInternetSettingsKey, L"ProxyServer").text, L"a:1");

    registry.failWrites = true;
    chooseProxy(2, L"b:2", registry, status, proxyField);
    EXPECT_EQ(status.text, L"エラー");
    EXPECT_EQ(value(kInternetSettingsKey, L"ProxyServer").text, L"a:1");
    EXPECT_TRUE(dialogs.shown.empty());  // no message box for the proxy server
}

TEST_F(BrowserSettings, TogglesWorkFromTheShownText) {
    EXPECT_EQ(proxyUseAfterToggle(L"OFF"), 1);
    EXPECT_EQ(proxyUseAfterToggle(L"ON"), 0);
    EXPECT_EQ(proxyUseAfterToggle(L"off"), 0);
    EXPECT_EQ(proxyUseAfterToggle(L"Now　Loading・・・"), 0);
    EXPECT_EQ(scriptPolicyAfterToggle(L"ON"), 3);
    EXPECT_EQ(scriptPolicyAfterToggle(L"OFF"), 0);
    EXPECT_EQ(scriptPolicyAfterToggle(L""), 3);

    shown[Item::ProxyEnable] = L"OFF";
    shown[Item::ActiveScripting] = L"ON";
    shown[Item::JavaScripting] = L"OFF";
    EXPECT_TRUE(toggleProxyUse(registry, dialogs, shown));
    EXPECT_TRUE(toggleActiveScripting(registry, dialogs, shown));
    EXPECT_TRUE(toggleJavaScripting(registry, dialogs, shown));
    EXPECT_EQ(value(kInternetSettingsKey, L"ProxyEnable").dword, 1u);
    EXPECT_EQ(value(kInternetZoneKey, L"1400").dword, 3u);
    EXPECT_EQ(value(kInternetZoneKey, L"1402").dword, 0u);
    EXPECT_EQ(value(kInternetZoneKey, L"1400").type, platform::kRegDword);

    registry.failKeys = true;
    EXPECT_FALSE(toggleActiveScripting(registry, dialogs, shown));
    EXPECT_EQ(dialogs.shown, std::vector<std::wstring>{L"エラー"});
}

TEST_F(BrowserSettings, ProxyTextComesFromTheRegistry) {
    EXPECT_EQ(readProxyText(registry), L"");
    registry.values[{kInternetSettingsKey, L"ProxyServer"}] = {true, platform::kRegSz, L"p:1", 0};
    EXPECT_EQ(readProxyText(registry), L"p:1");
}
