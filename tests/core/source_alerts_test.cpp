#include "features/source_alerts.h"

#include <gtest/gtest.h>

#include "base/texts.h"

using features::SourceAlerts;

namespace {

settings::SourceSetting watched(double threshold, bool below = false) {
    settings::SourceSetting s;
    s.name = L"GPU";
    s.unit = L"\u00b0C";
    s.decimals = 1;
    s.alertOn = true;
    s.alertBelow = below;
    s.alertThreshold = threshold;
    s.alertSeconds = 10;
    return s;
}

std::vector<monitor::SourceReading> at(std::optional<double> value) {
    monitor::SourceReading r;
    r.value = value;
    return {r};
}

}  // namespace

TEST(SourceAlerts, ThresholdHeldForItsTimeTellsOnceUntilBackPastTheMargin) {
    SourceAlerts alerts;
    std::vector<settings::SourceSetting> sources{watched(80)};
    EXPECT_TRUE(alerts.check(0, at(85), sources).empty());
    // A gap in the readings neither tells nor starts the count again.
    EXPECT_TRUE(alerts.check(5000, at(std::nullopt), sources).empty());
    auto told = alerts.check(10000, at(85), sources);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].title, L"GPU");
    EXPECT_EQ(told[0].text,
              base::format(base::Text::SourceAlertAbove, {L"85.0\u00b0C", L"80.0\u00b0C", L"10"}));
    // Just under the threshold is within the margin (4): no new episode.
    alerts.check(20000, at(79), sources);
    EXPECT_TRUE(alerts.check(40000, at(85), sources).empty());
    EXPECT_TRUE(alerts.check(60000, at(85), sources).empty());
    // Back past the margin for the hold time, then over again: after ten minutes it tells.
    alerts.check(70000, at(70), sources);
    alerts.check(80000, at(70), sources);
    alerts.check(90000, at(90), sources);
    EXPECT_TRUE(alerts.check(100000, at(90), sources).empty()) << "within ten minutes";
    alerts.check(600000, at(70), sources);
    alerts.check(610000, at(70), sources);
    alerts.check(620000, at(90), sources);
    EXPECT_EQ(alerts.check(630000, at(90), sources).size(), 1u);

    // Below a threshold, and a rule changed starts afresh.
    sources = {watched(10, true)};
    alerts.check(700000, at(5), sources);
    EXPECT_EQ(alerts.check(710000, at(5), sources).size(), 1u);
    sources[0].alertOn = false;
    EXPECT_TRUE(alerts.check(720000, at(5), sources).empty());
}

TEST(SourceAlerts, NoticesDueTogetherAreAllTold) {
    auto one = features::combineNotices({{L"A", L"a"}});
    EXPECT_EQ(one.title, L"A");
    auto both = features::combineNotices({{L"Memory", L"90%"}, {L"C:", L"5%"}});
    EXPECT_EQ(both.title, base::format(base::Text::AlertSeveralTitle, {L"2"}));
    EXPECT_EQ(both.text, L"Memory: 90%\nC:: 5%");
}
