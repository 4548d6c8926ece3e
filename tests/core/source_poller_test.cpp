#include "features/source_poller.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_http.h"
#include "platform/page_request.h"

using features::SourceFault;
using features::SourcePoller;
using settings::SourceKind;
using settings::SourceSetting;

namespace {

platform::PageAnswer page(std::string body) {
    platform::PageAnswer a;
    a.failure = platform::PageAnswer::Failure::None;
    a.status = 200;
    a.body = std::move(body);
    return a;
}
platform::PageAnswer failed(platform::PageAnswer::Failure why, int status = 0) {
    platform::PageAnswer a;
    a.failure = why;
    a.status = status;
    return a;
}

SourceSetting json(std::wstring key, int interval = 2) {
    SourceSetting s;
    s.kind = SourceKind::Json;
    s.url = L"http://127.0.0.1:8085/data.json";
    s.key = std::move(key);
    s.intervalSeconds = interval;
    s.unit = L"\u00b0C";
    return s;
}

struct PollerFixture : ::testing::Test {
    fakes::FakeFetcher fetcher;
    fakes::FakeClock clock;
    SourcePoller poller{fetcher, clock};
    std::vector<std::size_t> told;
    PollerFixture() {
        poller.changed = [this](std::size_t i) { told.push_back(i); };
    }
    void at(std::uint32_t ms) {
        clock.now = ms;
        poller.poll();
    }
};

}  // namespace

TEST_F(PollerFixture, EachSourceIsAskedOnItsIntervalOneRequestAtATime) {
    EXPECT_FALSE(poller.wantsTimer());
    poller.setSources({json(L"/a"), json(L"/b", 10)});
    EXPECT_TRUE(poller.wantsTimer());
    at(0);
    ASSERT_EQ(fetcher.asks.size(), 2u);
    EXPECT_EQ(fetcher.asks[0].first.url, L"http://127.0.0.1:8085/data.json");
    EXPECT_EQ(fetcher.asks[0].first.maxBody, features::kMaxSourceBytes);
    EXPECT_TRUE(poller.status(0).waiting);
    // Still on its way: never a second request for the same source.
    at(5000);
    EXPECT_EQ(fetcher.asks.size(), 2u);
    fetcher.answer(page(R"({"a":45.25,"b":1})"));
    fetcher.answer(page(R"({"a":45.25,"b":1})"));
    EXPECT_EQ(told, (std::vector<std::size_t>{0, 1}));
    EXPECT_DOUBLE_EQ(poller.status(0).value.value_or(0), 45.25);
    EXPECT_EQ(features::sourceValueText(poller.status(0), json(L"/a")), L"45.3\u00b0C");
    EXPECT_EQ(features::sourceValueText(poller.status(0), json(L"/a"), L','), L"45,3\u00b0C");
    at(6999);
    EXPECT_TRUE(fetcher.asks.empty());
    at(7000);  // 2 s after the answer, only the first is due
    ASSERT_EQ(fetcher.asks.size(), 1u);
}

TEST_F(PollerFixture, AnOldValueIsNeverShownAsCurrent) {
    poller.setSources({json(L"/a")});
    at(0);
    fetcher.answer(page(R"({"a":1})"));
    at(2000);
    // The source stops answering: after three intervals the row shows "--" and why.
    at(6000);
    EXPECT_TRUE(poller.status(0).value);
    clock.now = 6001;
    features::SourceStatus stale = poller.status(0);
    EXPECT_FALSE(stale.value);
    EXPECT_EQ(stale.fault, SourceFault::Stale);
    EXPECT_EQ(features::sourceValueText(stale, json(L"/a")), L"--");
    EXPECT_EQ(features::sourceReasonText(stale), base::format(base::Text::SourceStale, {L"6"}));
    // A failure shows at once, not the value before it.
    fetcher.answer(failed(platform::PageAnswer::Failure::Status, 401));
    EXPECT_EQ(poller.status(0).fault, SourceFault::Unauthorized);
    EXPECT_EQ(features::sourceValueText(poller.status(0), json(L"/a")), L"--");
}

TEST_F(PollerFixture, AFailingSourceWaitsLongerEachTimeUpToAMinute) {
    poller.setSources({json(L"/a", 1)});
    std::vector<std::uint32_t> askedAt;
    std::uint32_t now = 0;
    while (askedAt.size() < 9 && now < 600000) {
        at(now);
        if (!fetcher.asks.empty()) {
            askedAt.push_back(now);
            fetcher.answer(failed(platform::PageAnswer::Failure::Connection));
        }
        now += 500;
    }
    EXPECT_EQ(askedAt, (std::vector<std::uint32_t>{0, 2000, 6000, 14000, 30000, 62000, 122000,
                                                   182000, 242000}));
    EXPECT_EQ(features::sourceReasonText(poller.status(0)),
              base::text(base::Text::SourceUnreachable));
    // An answer again: back on the interval.
    at(302000);
    fetcher.answer(page(R"({"a":2})"));
    at(303000);
    EXPECT_EQ(fetcher.asks.size(), 1u);
}

TEST_F(PollerFixture, ChangedSourcesStartAfreshAndLateAnswersAreDropped) {
    poller.setSources({json(L"/a"), json(L"/b")});
    at(0);
    // Reordered: each keeps its own request and value.
    poller.setSources({json(L"/b"), json(L"/a")});
    fetcher.answer(page(R"({"a":1,"b":2})"));  // asked for /a
    EXPECT_DOUBLE_EQ(poller.status(1).value.value_or(0), 1);
    EXPECT_FALSE(poller.status(0).value);
    // Another key: the answer asked for the old one tells nothing.
    poller.setSources({json(L"/c"), json(L"/a")});
    fetcher.answer(page(R"({"a":1,"b":2})"));
    EXPECT_TRUE(poller.status(0).waiting);
    poller.setSources({});
    EXPECT_FALSE(poller.wantsTimer());
}

TEST_F(PollerFixture, HomeAssistantIsAskedWithItsTokenOrNotAtAll) {
    SourceSetting ha;
    ha.kind = SourceKind::HomeAssistant;
    ha.url = L"http://127.0.0.1:8123/";
    ha.key = L"sensor.room";
    poller.setSources({ha});
    at(0);
    EXPECT_TRUE(fetcher.asks.empty());
    EXPECT_EQ(poller.status(0).fault, SourceFault::NoToken);
    ha.tokenState = settings::TokenState::Unreadable;
    poller.setSources({ha});
    at(1);
    EXPECT_EQ(poller.status(0).fault, SourceFault::TokenUnreadable);

    ha.token = L"abc\r\nX-Evil: 1";
    ha.tokenState = settings::TokenState::Usable;
    poller.setSources({ha});
    at(2);
    ASSERT_EQ(fetcher.asks.size(), 1u);
    EXPECT_EQ(fetcher.asks[0].first.url, L"http://127.0.0.1:8123/api/states/sensor.room");
    EXPECT_EQ(fetcher.asks[0].first.authorization, "Bearer abc\r\nX-Evil: 1");
    std::string request = platform::pageRequest(*platform::parsePageAddress(L"http://h/"), false,
                                                "K", fetcher.asks[0].first.authorization);
    EXPECT_NE(request.find("Authorization: Bearer abcX-Evil: 1\r\n"), std::string::npos);
    platform::PageAnswer zipped = page("\x1f\x8b");
    zipped.contentEncoding = "gzip";
    fetcher.answer(zipped);
    EXPECT_EQ(poller.status(0).fault, SourceFault::Compressed);
}

TEST(SourceOffers, BrowsingAsksTheListAddressAndTellsItsFault) {
    fakes::FakeFetcher fetcher;
    SourceSetting ha;
    ha.kind = SourceKind::HomeAssistant;
    ha.url = L"http://127.0.0.1:8123";
    ha.token = L"t";
    ha.tokenState = settings::TokenState::Usable;
    std::optional<features::SourceOffers> got;
    features::fetchSourceOffers(fetcher, ha, [&](features::SourceOffers o) { got = o; });
    ASSERT_EQ(fetcher.asks.size(), 1u);
    EXPECT_EQ(fetcher.asks[0].first.url, L"http://127.0.0.1:8123/api/states");
    fetcher.answer(failed(platform::PageAnswer::Failure::Status, 401));
    ASSERT_TRUE(got);
    EXPECT_EQ(got->fault, SourceFault::Unauthorized);
}
