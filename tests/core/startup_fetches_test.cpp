#include "features/startup_fetches.h"

#include <gtest/gtest.h>

#include "fakes/fake_http.h"
#include "fakes/fake_profile_file.h"

using namespace features;
using namespace settings;

namespace {

const std::wstring kNewer =
    L"<title>コルバ君ＮＴ最新版確認ページ</title>----------400++++++++++news**********";

class StartupFetchesTest : public ::testing::Test {
protected:
    StartupFetchesTest() {
        settings::Settings& s = live.settings;
        live.displayRows = settings::buildDisplayRows(s.displayOrder, s.displayMarks,
                                                      s.displayColours1, s.displayColours2);
        servers = {L"http://s/update", L"http://s/ip", L"http://s/", L""};
        pages.publicAddress = monitor::kLoadingText;
    }
    StartupFetches run() { return runStartupFetches(http, servers, live, pages); }
    void hideIpItem() {
        for (auto& row : live.displayRows)
            if (settings::idOf(row.id) == 104) row.shown = false;
    }

    settings::LiveSettings live;
    monitor::PageTexts pages;
    fakes::FakeHttp http;
    ServerAddresses servers;
};

}  // namespace

TEST_F(StartupFetchesTest, UpdateCheckThenImmediateAddressWhenTheWaitIsZero) {
    live.settings.startupIpWaitSeconds = 0;
    http.pages[L"http://s/update"] = kNewer;
    http.pages[L"http://s/ip"] = L"<HTML><BODY></BODY>192.0.2.1</HTML>";
    StartupFetches result = run();
    EXPECT_TRUE(result.newerVersion);
    EXPECT_EQ(pages.update.announcement, L"news");
    EXPECT_EQ(pages.publicAddress, L"192.0.2.1");
    EXPECT_EQ(http.requests, (std::vector<std::wstring>{L"http://s/update", L"http://s/ip"}));
}

TEST_F(StartupFetchesTest, WithAWaitNoAddressIsFetchedAndTheTextStays) {
    live.settings.checkForUpdates = 0;
    live.settings.startupIpWaitSeconds = 3;
    StartupFetches result = run();
    EXPECT_FALSE(result.newerVersion);
    EXPECT_TRUE(http.requests.empty());
    EXPECT_EQ(pages.publicAddress, monitor::kLoadingText);
}

TEST_F(StartupFetchesTest, HiddenIpItemWithNoWaitShowsAfterRestart) {
    live.settings.checkForUpdates = 0;
    live.settings.startupIpWaitSeconds = 0;
    hideIpItem();
    run();
    EXPECT_TRUE(http.requests.empty());
    EXPECT_EQ(pages.publicAddress, L"再起動後に表示");
}

TEST_F(StartupFetchesTest, FailedUpdateCheckEndsTheStepsAsUnreachable) {
    live.settings.startupIpWaitSeconds = 0;
    http.pages[L"http://s/ip"] = L"<HTML><BODY></BODY>192.0.2.1</HTML>";
    StartupFetches result = run();
    EXPECT_FALSE(result.newerVersion);
    EXPECT_EQ(pages.publicAddress, L"接続不能");
    EXPECT_EQ(http.requests, std::vector<std::wstring>{L"http://s/update"});  // no address fetch
    EXPECT_EQ(pages.update.result, L"no");
}

TEST_F(StartupFetchesTest, CountersAreAskedOnlyWhenConfigured) {
    live.settings.startupIpWaitSeconds = 0;
    servers.counterPage = L"http://c/count?id=7";
    http.pages[L"http://s/update"] = L"nothing here";
    http.pages[L"http://s/ip"] = L"<HTML><BODY></BODY>192.0.2.1</HTML>";
    run();
    EXPECT_EQ(http.requests, (std::vector<std::wstring>{L"http://s/update", L"http://c/count?id=7",
                                                        L"http://c/count?id=7&ver=336&type=main",
                                                        L"http://s/ip", L"http://c/count?id=7"}));
    EXPECT_EQ(pages.publicAddress, L"192.0.2.1");  // counter failures change nothing
}

TEST(ServerAddressesTest, ReadFromTheServersSectionWithDefaults) {
    fakes::FakeProfileFile ini;
    ServerAddresses defaults = readServerAddresses(ini);
    EXPECT_EQ(defaults.updatePage, settings::Settings{}.updatePage);
    EXPECT_EQ(defaults.counterPage, L"");
    ini.values[L"Servers"] = {{L"IpPage", L"http://x/ip"}, {L"CounterPage", L"http://x/c"}};
    ServerAddresses set = readServerAddresses(ini);
    EXPECT_EQ(set.ipPage, L"http://x/ip");
    EXPECT_EQ(set.homePage, settings::Settings{}.homePage);
    EXPECT_EQ(counterQueryAddress(set.counterPage), L"http://x/c?ver=336&type=main");
    EXPECT_TRUE(ini.writes.empty());
}
