#include "settings/source_settings.h"

#include <gtest/gtest.h>

#include "fakes/fake_profile_file.h"
#include "fakes/fake_text_files.h"
#include "settings/load_settings.h"
#include "settings/save_command.h"

using namespace settings;

namespace {

// Protects by reversing and marking the bytes for its own "user"; another user's box opens none.
class MarkedSecretBox : public platform::SecretBox {
public:
    explicit MarkedSecretBox(std::string user) : user_(std::move(user)) {}
    std::optional<std::string> protect(std::string_view plain) override {
        return user_ + ":" + std::string(plain.rbegin(), plain.rend());
    }
    std::optional<std::string> unprotect(std::string_view bytes) override {
        if (!bytes.starts_with(user_ + ":")) return std::nullopt;
        std::string_view body = bytes.substr(user_.size() + 1);
        return std::string(body.rbegin(), body.rend());
    }

private:
    std::string user_;
};

struct SourcesFixture : ::testing::Test {
    fakes::FakeProfileFile ini;
    fakes::FakeTextFiles files;
    SettingsPaths paths = SettingsPaths::inFolder(L"C:\\k");
    MarkedSecretBox mine{"me"}, another{"other"};
    std::wstring stored(const std::wstring& key) { return ini.values[L"Sources"][key]; }
};

SourceSetting homeAssistant() {
    SourceSetting s;
    s.kind = SourceKind::HomeAssistant;
    s.url = L"http://127.0.0.1:8123";
    s.key = L"sensor.room";
    s.name = L"部屋";
    s.unit = L"\u00b0C";
    s.decimals = 2;
    s.intervalSeconds = 30;
    s.barMin = -10.5;
    s.barMax = 40;
    s.shown = false;
    s.token = L"eyJhbGciOi.secret";
    s.tokenState = TokenState::Usable;
    s.alertOn = true;
    s.alertBelow = true;
    s.alertThreshold = 16.25;
    s.alertSeconds = 120;
    return s;
}

}  // namespace

TEST_F(SourcesFixture, SourcesComeBackWholeAndTheTokenNeverStandsInPlainText) {
    LiveSettings live = loadLiveSettings(ini, files, paths, mine);
    EXPECT_TRUE(ini.values[L"Sources"].empty());
    live.sources = {homeAssistant(), SourceSetting{}};
    live.sources[1].key = L"/amdcpu/0/temperature/2";
    saveSettings(live, ini, files, paths, mine);

    EXPECT_EQ(stored(L"Count"), L"2");
    EXPECT_EQ(stored(L"Kind1"), L"homeassistant");
    EXPECT_EQ(stored(L"Kind2"), L"lhm");
    EXPECT_EQ(stored(L"BarMin1"), L"-10.5");
    EXPECT_EQ(stored(L"BarMax2"), L"");
    EXPECT_TRUE(stored(L"Token1").starts_with(L"dpapi:"));
    EXPECT_EQ(stored(L"Token1").find(L"secret"), std::wstring::npos);
    EXPECT_EQ(ini.values[L"Sources"].count(L"Token2"), 0u);
    // Written after every other section.
    EXPECT_EQ(ini.writes.back().section, L"Sources");
    EXPECT_EQ(ini.writes.front().section == L"Sources", false);

    LiveSettings again = loadLiveSettings(ini, files, paths, mine);
    EXPECT_EQ(again.sources, live.sources);
}

TEST_F(SourcesFixture, HandWrittenTokensAreUsedThenProtectedAndOtherUsersLoseOnlyTheToken) {
    ini.values[L"Sources"] = {{L"Count", L"2"},          {L"Kind1", L"HomeAssistant"},
                              {L"Url1", L"http://h"},    {L"Key1", L"sensor.a"},
                              {L"Token1", L"plain-tok"}, {L"Kind2", L"json"},
                              {L"Key2", L"/x"},          {L"Interval2", L"99999"},
                              {L"Decimals2", L"-3"},     {L"BarMin2", L"abc"}};
    LiveSettings live = loadLiveSettings(ini, files, paths, mine);
    ASSERT_EQ(live.sources.size(), 2u);
    EXPECT_EQ(live.sources[0].kind, SourceKind::HomeAssistant);
    EXPECT_EQ(live.sources[0].token, L"plain-tok");
    EXPECT_EQ(live.sources[1].intervalSeconds, kMaxSourceInterval);
    EXPECT_EQ(live.sources[1].decimals, 0);
    EXPECT_FALSE(live.sources[1].barMin);
    saveSettings(live, ini, files, paths, mine);
    EXPECT_TRUE(stored(L"Token1").starts_with(L"dpapi:"));

    // Copied to another user: the token is missing and says so; the rest is all there, and a
    // save there keeps the protected text for its own user.
    const std::wstring protectedText = stored(L"Token1");
    LiveSettings elsewhere = loadLiveSettings(ini, files, paths, another);
    EXPECT_EQ(elsewhere.sources[0].tokenState, TokenState::Unreadable);
    EXPECT_TRUE(elsewhere.sources[0].token.empty());
    EXPECT_EQ(elsewhere.sources[0].url, L"http://h");
    EXPECT_EQ(elsewhere.sources[1].key, L"/x");
    saveSettings(elsewhere, ini, files, paths, another);
    EXPECT_EQ(stored(L"Token1"), protectedText);
    EXPECT_EQ(loadLiveSettings(ini, files, paths, mine).sources[0].token, L"plain-tok");

    // A system that cannot protect stores no token at all.
    saveSettings(live, ini, files, paths, platform::noSecrets());
    EXPECT_EQ(ini.values[L"Sources"].count(L"Token1"), 0u);
}

TEST_F(SourcesFixture, AShorterListLeavesNoKeysOfTheRemovedSourcesAndCountsAreBounded) {
    LiveSettings live = loadLiveSettings(ini, files, paths, mine);
    live.sources.assign(3, homeAssistant());
    saveSettings(live, ini, files, paths, mine);
    live.sources.resize(1);
    saveSettings(live, ini, files, paths, mine);
    for (const auto& [key, value] : ini.values[L"Sources"])
        EXPECT_TRUE(key == L"Count" || key.ends_with(L"1")) << key;
    live.sources.clear();
    saveSettings(live, ini, files, paths, mine);
    EXPECT_EQ(stored(L"Count"), L"0");

    ini.values[L"Sources"] = {{L"Count", L"999"}};
    EXPECT_EQ(loadLiveSettings(ini, files, paths, mine).sources.size(), kMaxSources);
    ini.values[L"Sources"] = {{L"Count", L"-4"}};
    EXPECT_TRUE(loadLiveSettings(ini, files, paths, mine).sources.empty());
}
