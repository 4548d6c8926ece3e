#include "features/startup_fetches.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/fake_http.h"
#include "fakes/fake_profile_file.h"
#include "fakes/this_version.h"

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
        servers = {L"http://s/update", L"http://s/ip", L"http://s/", L"", {}};
        pages.publicAddress = monitor::kLoadingText;
    }
    // Starts the steps and answers every fetch, as the pages arrive one after the other.
    void run() {
        start();
        fetcher.deliverAll();
    }
    void start() {
        fetches = std::make_unique<StartupFetches>(fetcher, servers, live, pages);
        fetches->onNewerVersion = [this] { newerVersion = true; };
        fetches->onIpPage = [this](const std::wstring& page) { ipPage = page; };
        fetches->start();
    }
    void hideIpItem() {
        for (auto& row : live.displayRows)
            if (settings::idOf(row.id) == 104) row.shown = false;
    }

    settings::LiveSettings live;
    monitor::PageTexts pages;
    fakes::FakeFetcher fetcher;
    ServerAddresses servers;
    std::unique_ptr<StartupFetches> fetches;
    bool newerVersion = false;
    std::wstring ipPage;
};

}  // namespace

TEST_F(StartupFetchesTest, UpdateCheckThenImmediateAddressEachAppliedWhenItArrives) {
    live.settings.startupIpWaitSeconds = 0;
    fetcher.pages[L"http://s/update"] = kNewer;
    fetcher.pages[L"http://s/ip"] = L"<HTML><BODY></BODY>192.0.2.1</HTML>";
    start();
    // Nothing waits for the update page, and the address is asked for only after it.
    EXPECT_EQ(fetcher.requests, std::vector<std::wstring>{L"http://s/update"});
    EXPECT_EQ(pages.publicAddress, monitor::kLoadingText);
    fetcher.deliverNext();
    EXPECT_TRUE(newerVersion);
    EXPECT_EQ(pages.update.announcement, L"news");
    EXPECT_EQ(fetcher.requests, (std::vector<std::wstring>{L"http://s/update", L"http://s/ip"}));
    EXPECT_EQ(pages.publicAddress, monitor::kLoadingText);  // still on its way
    fetcher.deliverNext();
    EXPECT_EQ(pages.publicAddress, L"192.0.2.1");
    EXPECT_EQ(ipPage, L"<HTML><BODY></BODY>192.0.2.1</HTML>");
}

TEST_F(StartupFetchesTest, WithAWaitNoAddressIsFetchedAndTheTextStays) {
    live.settings.checkForUpdates = 0;
    live.settings.startupIpWaitSeconds = 3;
    run();
    EXPECT_FALSE(newerVersion);
    EXPECT_TRUE(fetcher.requests.empty());
    EXPECT_EQ(pages.publicAddress, monitor::kLoadingText);
}

TEST_F(StartupFetchesTest, HiddenIpItemWithNoWaitShowsAfterRestart) {
    live.settings.checkForUpdates = 0;
    live.settings.startupIpWaitSeconds = 0;
    hideIpItem();
    run();
    EXPECT_TRUE(fetcher.requests.empty());
    EXPECT_EQ(pages.publicAddress, monitor::kAfterRestartText);
}

TEST_F(StartupFetchesTest, FailedUpdateCheckEndsTheStepsAsUnreachable) {
    live.settings.startupIpWaitSeconds = 0;
    fetcher.pages[L"http://s/ip"] = L"<HTML><BODY></BODY>192.0.2.1</HTML>";
    run();
    EXPECT_FALSE(newerVersion);
    EXPECT_EQ(pages.publicAddress, monitor::kUnreachableText);
    EXPECT_EQ(fetcher.requests, std::vector<std::wstring>{L"http://s/update"});  // no address
    EXPECT_EQ(pages.update.result, L"no");
}

TEST_F(StartupFetchesTest, CountersAreAskedOnlyWhenConfigured) {
    live.settings.startupIpWaitSeconds = 0;
    servers.counterPage = L"http://c/count?id=7";
    fetcher.pages[L"http://s/update"] = L"nothing here";
    fetcher.pages[L"http://s/ip"] = L"<HTML><BODY></BODY>192.0.2.1</HTML>";
    run();
    EXPECT_EQ(fetcher.requests,
              (std::vector<std::wstring>{
                  L"http://s/update", L"http://c/count?id=7",
                  L"http://c/count?id=7&ver=" + fakes::thisVersion() + L"&type=main",
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
    EXPECT_EQ(counterQueryAddress(set.counterPage),
              L"http://x/c?ver=" + fakes::thisVersion() + L"&type=main");
    // The query stays ahead of a fragment, which never reaches the server.
    EXPECT_EQ(counterQueryAddress(L"http://x/c?id=7#top"),
              L"http://x/c?id=7&ver=" + fakes::thisVersion() + L"&type=main#top");
    EXPECT_EQ(counterQueryAddress(L"http://x/c#a?b"),
              L"http://x/c?ver=" + fakes::thisVersion() + L"&type=main#a?b");
    EXPECT_TRUE(ini.writes.empty());
}
