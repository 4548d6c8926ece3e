#include "features/readings_history.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/texts.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_desktop_state.h"
#include "fakes/fake_network.h"
#include "fakes/fake_text_files.h"
#include "features/history_chart.h"
#include "features/history_reading.h"
#include "features/history_view.h"
#include "features/source_chart.h"
#include "monitor/network_sampler.h"

using namespace features;

namespace {

// Readings as a tick that sampled everything the history keeps would leave them.
monitor::Readings tickAt(std::uint32_t ms, int cpu, int memory, std::int64_t in = 0,
                         std::int64_t out = 0) {
    monitor::Readings r;
    r.tickCount = ms;
    r.sampledNow = {true, true, true};
    r.cpuTotalPercent = cpu;
    r.memoryPercent = memory;
    r.in.total = in;
    r.out.total = out;
    return r;
}

struct History {
    fakes::FakeTextFiles files;
    fakes::FakeLocale locale;
    ReadingsHistory history{files, locale, L"h.csv"};
    void at(int year, int month, int day, int hour, int minute, int second) {
        locale.time = {year, month, day, 0, hour, minute, second};
    }
};

}  // namespace

TEST(ReadingsHistory, RingKeepsOneMeanPerSecondAndTheLastDayOnly) {
    History h;
    // Four ticks in the first second, one with the CPU section not run; none in the second one.
    h.history.record(tickAt(0, 10, 50));
    h.history.record(tickAt(250, 30, 50));
    monitor::Readings skipped = tickAt(500, 99, 60);
    skipped.sampledNow.cpuTotal = false;
    h.history.record(skipped);
    h.history.record(tickAt(750, 20, 60));
    h.history.record(tickAt(2100, 0, 0));  // closes second 0; second 1 had no tick
    h.history.record(tickAt(3000, 0, 0));

    const HistoryRing& ring = h.history.ring();
    ASSERT_EQ(ring.newestSecond(), 2);
    auto first = ring.at(0);
    ASSERT_TRUE(first);
    EXPECT_FLOAT_EQ(first->cpuPercent, 20.0f);
    EXPECT_FLOAT_EQ(first->memoryPercent, 55.0f);
    EXPECT_TRUE(std::isnan(ring.at(1)->cpuPercent));
    EXPECT_FALSE(ring.at(3));

    // A day and a half later: only the last 24 hours are there, and what is there is the newest.
    HistoryRing big;
    for (std::int64_t s = 0; s < HistoryRing::kSeconds * 3 / 2; ++s)
        big.push(s, {static_cast<float>(s), 0, 0, 0});
    const std::int64_t newest = HistoryRing::kSeconds * 3 / 2 - 1;
    EXPECT_FLOAT_EQ(big.at(newest)->cpuPercent, static_cast<float>(newest));
    auto oldest = big.at(newest - HistoryRing::kSeconds + 1);
    ASSERT_TRUE(oldest);
    EXPECT_FLOAT_EQ(oldest->cpuPercent, static_cast<float>(newest - HistoryRing::kSeconds + 1));
    EXPECT_FALSE(big.at(newest - HistoryRing::kSeconds));
    // A jump of more than a day leaves only gaps behind the new sample.
    big.push(newest + 2 * HistoryRing::kSeconds, {1, 1, 1, 1});
    EXPECT_TRUE(std::isnan(big.at(newest + HistoryRing::kSeconds + 5)->cpuPercent));
}

namespace {

monitor::SourceReading source(const wchar_t* id, std::optional<double> value) {
    monitor::SourceReading r;
    r.identity = id;
    r.name = id;
    r.value = value;
    return r;
}

float secondOf(const SourceSeries& s, std::int64_t second) {
    return s.seconds.at(second).value_or(-1.0f);
}

}  // namespace

TEST(ReadingsHistory, SourcesKeepTheirSecondsByIdentityAcrossListChanges) {
    History h, g;
    History* into = &h;
    auto tick = [&](std::uint32_t ms, std::vector<monitor::SourceReading> sources) {
        monitor::Readings r = tickAt(ms, 0, 0);
        r.sources = std::move(sources);
        into->history.record(r);
    };
    // Second 0: two values of A and one of B; second 1: A has none (gone stale or failing).
    tick(0, {source(L"a", 40), source(L"b", 7)});
    tick(500, {source(L"a", 50), source(L"b", std::nullopt)});
    tick(1000, {source(L"a", std::nullopt), source(L"b", 9)});
    // Second 2: the list reordered and C added.
    tick(2000, {source(L"b", 11), source(L"c", 1), source(L"a", 60)});
    // Second 3: A removed; added again in second 4, it starts without its past.
    tick(3000, {source(L"b", 12), source(L"c", 2)});
    tick(4000, {source(L"c", 3), source(L"a", 70)});
    tick(5000, {source(L"c", 3), source(L"a", 70)});

    const std::vector<SourceSeries>& series = h.history.sources().series();
    ASSERT_EQ(series.size(), 2u) << "B is no longer listed";
    EXPECT_EQ(series[0].identity, L"c");
    EXPECT_FLOAT_EQ(secondOf(series[0], 2), 1);
    EXPECT_FLOAT_EQ(secondOf(series[0], 4), 3);
    EXPECT_EQ(series[0].seconds.at(1), std::nullopt) << "C was not listed then";
    EXPECT_EQ(series[1].identity, L"a");
    EXPECT_FLOAT_EQ(secondOf(series[1], 4), 70);
    EXPECT_EQ(series[1].seconds.at(2), std::nullopt) << "the past of the removed A is gone";
    EXPECT_EQ(series[1].latest.value, 70);

    // Before the removal, the reordered list kept each source's own seconds and gaps.
    into = &g;
    tick(0, {source(L"a", 40), source(L"b", 7)});
    tick(500, {source(L"a", 50), source(L"b", std::nullopt)});
    tick(1000, {source(L"a", std::nullopt), source(L"b", 9)});
    tick(2000, {source(L"b", 11), source(L"c", 1), source(L"a", 60)});
    tick(3000, {source(L"b", 11), source(L"c", 1), source(L"a", 60)});
    const std::vector<SourceSeries>& kept = g.history.sources().series();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[2].identity, L"a");
    EXPECT_FLOAT_EQ(secondOf(kept[2], 0), 45);
    EXPECT_TRUE(std::isnan(secondOf(kept[2], 1))) << "a second without a value is a gap";
    EXPECT_FLOAT_EQ(secondOf(kept[2], 2), 60);
    EXPECT_EQ(kept[0].identity, L"b");
    EXPECT_FLOAT_EQ(secondOf(kept[0], 0), 7);
    EXPECT_FLOAT_EQ(secondOf(kept[0], 1), 9);
    EXPECT_FLOAT_EQ(secondOf(kept[0], 2), 11);
}

TEST(ReadingsHistory, TrafficSplitsAtMidnightAcrossTheCounterWrap) {
    History h;
    // The real sampler's totals, so the raw 32-bit counter's wrap is handled as the rows do.
    fakes::FakeNetwork network;
    fakes::FakeClock clock;
    network.addInterface(1, platform::kEthernetInterface, L"eth");
    monitor::NetworkSampler sampler;
    sampler.enumerateAdapters(network);
    monitor::Readings r;
    auto tick = [&](std::uint32_t ms, std::uint32_t rawIn, std::uint32_t rawOut) {
        network.rows[1].inOctets = rawIn;
        network.rows[1].outOctets = rawOut;
        clock.now = ms;
        r.tickCount = ms;
        r.sampledNow = {true, true, sampler.sample(network, clock, 0, 0, r)};
        h.history.record(r);
    };
    h.at(2026, 12, 7, 23, 59, 58);
    tick(0, 4'294'000'000u, 1000);  // the baseline counts nothing
    tick(1000, 4'294'967'000u, 1500);
    tick(2000, 1'000u, 2000);  // the receive counter wrapped: 296 + 1,000 bytes
    h.at(2026, 12, 8, 0, 0, 0);
    tick(3000, 5'000u, 2100);  // the second that closes here ended in the new day
    tick(4000, 5'000u, 2100);
    // The adapter reset: the counters fall back; nothing negative, nothing counted.
    tick(5000, 10u, 10u);
    tick(6000, 20u, 30u);
    // A jump, and a reset from the high half that reads as a wrap of more than 1.25 GB in a
    // second: neither is counted.
    tick(7000, 3'000'000'000u, 30u);
    tick(8000, 100u, 40u);
    tick(9000, 100u, 40u);
    ASSERT_TRUE(h.history.writeFile());

    const TrafficDays& days = h.history.days();
    ByteTotals before = days.of(dayOf(2026, 12, 7)), after = days.of(dayOf(2026, 12, 8));
    EXPECT_EQ(before.received, 967'000 + 1'296);
    EXPECT_EQ(before.sent, 1000);
    EXPECT_EQ(after.received, 4'000 + 10);
    EXPECT_EQ(after.sent, 100 + 20);
    EXPECT_EQ(h.files.files[L"h.csv"],
              (std::vector<std::wstring>{L"2026-12-07,968296,1000", L"2026-12-08,4010,120"}));
    // The rate of the second with the wrap in it, in bytes per second.
    EXPECT_FLOAT_EQ(h.history.ring().at(2)->receivedPerSecond, 1296.0f);
}

TEST(ReadingsHistory, FileKeepsJunkAddsToTodayAndIsNeverWrittenOverWhenUnreadable) {
    History h;
    h.files.files[L"h.csv"] = {L"2026-11-30,100,200", L"# a note", L"2026-02-30,1,1",
                               L"2026-12-01,-5,3", L"2026-12-07,1000,2000"};
    h.files.encodings[L"h.csv"] = platform::TextEncoding::Utf8;
    h.at(2026, 12, 7, 12, 0, 0);
    h.history.readFile();
    h.history.record(tickAt(0, 0, 0, 0, 0));
    h.history.record(tickAt(1000, 0, 0, 50, 70));
    h.history.record(tickAt(2000, 0, 0, 50, 70));
    ASSERT_TRUE(h.history.writeFile());
    EXPECT_EQ(h.files.files[L"h.csv"],
              (std::vector<std::wstring>{L"2026-11-30,100,200", L"# a note", L"2026-02-30,1,1",
                                         L"2026-12-01,-5,3", L"2026-12-07,1050,2070"}));
    EXPECT_EQ(h.files.encodings[L"h.csv"], platform::TextEncoding::Utf8);
    const TrafficDays& days = h.history.days();
    ByteTotals month = days.sum(dayOf(2026, 12, 1), dayOf(2026, 12, 31));
    EXPECT_EQ(month.received, 1050);
    EXPECT_EQ(days.sum(firstOfMonth(dayOf(2026, 12, 7), 1), dayOf(2026, 11, 30)).sent, 200);
    EXPECT_EQ(firstOfMonth(dayOf(2026, 1, 15), 1), dayOf(2025, 12, 1));
    // Nothing new counted: no write.
    EXPECT_FALSE(h.history.writeFile());
    // Lines written by someone else meanwhile stay; what was counted since is added to them.
    h.files.files[L"h.csv"] = {L"2026-12-06,7,7", L"2026-12-07,3000,3000"};
    h.history.record(tickAt(3000, 0, 0, 150, 170));
    h.history.record(tickAt(4000, 0, 0, 150, 170));
    ASSERT_TRUE(h.history.writeFile());
    EXPECT_EQ(h.files.files[L"h.csv"],
              (std::vector<std::wstring>{L"2026-12-06,7,7", L"2026-12-07,3100,3100"}));
    EXPECT_EQ(h.history.days().of(dayOf(2026, 12, 6)).received, 7) << "the window shows them";

    // A file that is there but cannot be read, or decoded only in part: counting goes on, the
    // file is left alone.
    for (bool undecodable : {false, true}) {
        History locked;
        locked.files.files[L"h.csv"] = {L"2026-12-06,1,1", L"bytes past decoding",
                                        L"2026-12-07,5,5"};
        if (undecodable)
            locked.files.undecodableLine[L"h.csv"] = 1;
        else
            locked.files.unreadable.insert(L"h.csv");
        locked.history.readFile();
        locked.history.record(tickAt(0, 0, 0, 0, 0));
        locked.history.record(tickAt(1000, 0, 0, 10, 10));
        locked.history.record(tickAt(2000, 0, 0, 10, 10));
        EXPECT_FALSE(locked.history.writeFile());
        EXPECT_EQ(locked.files.writes, 0);
        EXPECT_EQ(locked.history.days().of(locked.history.today()).received, 10);
        // Once readable again, the file takes what was counted.
        locked.files.unreadable.clear();
        EXPECT_EQ(locked.history.writeFile(), !undecodable);
    }

    // A failed write is tried again at the next chance.
    History failing;
    failing.files.failing.insert(L"h.csv");
    failing.history.record(tickAt(0, 0, 0, 0, 0));
    failing.history.record(tickAt(1000, 0, 0, 5, 5));
    EXPECT_FALSE(failing.history.writeFile());
    failing.files.failing.clear();
    EXPECT_TRUE(failing.history.writeFile());
}

TEST(ReadingsHistory, KeepsAtMostTheLastElevenHundredDaysInDateOrder) {
    std::vector<std::wstring> lines{L"junk before"};
    for (Day d = 0; d < 1100; ++d) {
        CivilDate c = dateOf(dayOf(2020, 1, 1) + d);
        wchar_t text[40];
        swprintf(text, 40, L"%04d-%02d-%02d,1,2", c.year, c.month, c.day);
        lines.push_back(text);
    }
    TrafficDays days = TrafficDays::parse(lines);
    EXPECT_EQ(days.lines().size(), 1101u);
    days.add(dayOf(2020, 1, 1) + 1100, {7, 8});
    std::vector<std::wstring> out = days.lines();
    ASSERT_EQ(out.size(), 1100u);
    EXPECT_EQ(out.front(), L"2020-01-02,1,2");
    EXPECT_EQ(out.back(), L"2023-01-05,7,8");
    // A clock set back to a day not in the file: its line goes in date order.
    TrafficDays small = TrafficDays::parse({L"2026-12-01,1,1", L"2026-12-03,1,1"});
    small.add(dayOf(2026, 12, 2), {5, 5});
    EXPECT_EQ(small.lines()[1], L"2026-12-02,5,5");
    // Totals past the 64-bit range stop at its top instead of turning negative.
    TrafficDays top = TrafficDays::parse({L"2026-12-01,9223372036854775807,0"});
    top.add(dayOf(2026, 12, 1), {1, 1});
    EXPECT_EQ(top.of(dayOf(2026, 12, 1)).received, INT64_MAX);
    EXPECT_EQ(TrafficDays::parse({L"2026-12-01,9223372036854775808,0"}).entries()[0].day,
              std::nullopt);
}

TEST(ReadingsHistory, WindowFiguresReadInTheListsUnitsAndCalendarMonths) {
    EXPECT_DOUBLE_EQ(inListUnit(2048, settings::kKilobytesPerSecond), 2.0);
    EXPECT_DOUBLE_EQ(inListUnit(2048, settings::kKilobitsPerSecond), 16.0);
    EXPECT_DOUBLE_EQ(rateAxisTop(0), 1.0);
    EXPECT_DOUBLE_EQ(rateAxisTop(0.3), 0.5);
    EXPECT_DOUBLE_EQ(rateAxisTop(10), 10.0);
    EXPECT_DOUBLE_EQ(rateAxisTop(10.5), 20.0);
    EXPECT_DOUBLE_EQ(rateAxisTop(2'100), 5'000.0);
    EXPECT_EQ(amountText(0), L"0");
    EXPECT_EQ(amountText(1), L"1KB");
    EXPECT_EQ(amountText(8'400'000), L"8.01MB");
    EXPECT_EQ(amountText(1024LL * 1024 * 1024 - 1), L"1.00GB");
    EXPECT_EQ(amountText(3LL << 40), L"3.00TB");
    EXPECT_EQ(amountText(INT64_MAX), L"8388608.00TB");

    // Across the year's turn: December is last month; a junk line counts nothing; a day without
    // a line shows 0.
    TrafficDays days =
        TrafficDays::parse({L"2025-11-30,1,1", L"2025-12-01,10,20", L"2025-12-31,5,5",
                            L"2026-01-01,7,8", L"bad,1,1", L"2026-01-03,1,2"});
    MonthSums sums = monthSums(days, dayOf(2026, 1, 3));
    EXPECT_EQ(sums.thisMonth.received, 8);
    EXPECT_EQ(sums.thisMonth.sent, 10);
    EXPECT_EQ(sums.lastMonth.received, 15);
    std::vector<DayTotals> rows = lastDays(days, dayOf(2026, 1, 3), 31);
    ASSERT_EQ(rows.size(), 31u);
    EXPECT_EQ(rows[0].bytes.sent, 2);
    EXPECT_EQ(rows[1].bytes.sent, 0);
    EXPECT_EQ(rows[2].day, dayOf(2026, 1, 1));
    EXPECT_EQ(rows[3].bytes.received, 5);
    EXPECT_EQ(rows[30].day, dayOf(2025, 12, 4));
}

namespace {

// The columns of one row of the image that hold the colour.
std::vector<int> columnsIn(const base::Image& image, int y, base::Colour colour) {
    std::vector<int> xs;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == colour) xs.push_back(x);
    return xs;
}

// The rows of one column of the image that hold the colour.
std::vector<int> rowsIn(const base::Image& image, int x, base::Colour colour) {
    std::vector<int> ys;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == colour) ys.push_back(y);
    return ys;
}

}  // namespace

TEST(ReadingsHistory, ChartsDrawInsideTheirFramesAtEveryScaleAndLeaveGapsOpen) {
    const base::Colour cpuLine = base::rgb(0, 96, 192), grid = base::rgb(208, 208, 208);
    History h;
    h.at(2026, 12, 7, 12, 0, 0);
    h.history.readFile();
    // Ten seconds at 50 % load, one second without a processor reading, then three more.
    std::uint32_t ms = 0;
    for (int second = 0; second < 15; ++second, ms += 1000) {
        monitor::Readings r = tickAt(ms, 50, 100, 0, 0);
        r.sampledNow.cpuTotal = second != 10;
        h.history.record(r);
    }

    for (int dpi : {96, 192}) {
        const base::DpiScale s{dpi};
        // Ten minutes over a plot 600 px wide at 96 DPI: a column a second.
        base::Image image(s.px(700), s.px(700));
        std::vector<PlacedText> texts = drawHistory(image, s, h.history, {});
        const int frameLeft = s.px(92), frameRight = image.width() - s.px(6) - 1;

        // The CPU chart's frame: its top edge is the first grid row under the bar.
        const int x = frameRight - s.px(3);
        std::vector<int> frameRows = rowsIn(image, frameLeft, grid);
        ASSERT_FALSE(frameRows.empty()) << dpi;
        const int frameTop = frameRows.front();
        int frameBottom = frameTop;
        while (image.pixel(frameLeft, frameBottom + 1) == grid) ++frameBottom;
        EXPECT_EQ(image.pixel(frameRight, frameTop + 1), grid);

        // Half way up, as thick as the scale, within the frame.
        std::vector<int> line = rowsIn(image, x, cpuLine);
        ASSERT_EQ(line.size(), static_cast<size_t>(s.px(1))) << dpi;
        EXPECT_NEAR(line.front(), (frameTop + frameBottom) / 2, s.px(1)) << dpi;
        // The newest column touches the frame's inside, not the frame.
        std::vector<int> row = columnsIn(image, line.front(), cpuLine);
        EXPECT_EQ(row.back(), frameRight - 1) << dpi;
        EXPECT_EQ(image.pixel(frameRight, line.front()), grid);
        // The gap second, four columns back at 96 DPI, splits the line in two runs.
        int runs = 0;
        for (size_t i = 0; i < row.size(); ++i) runs += i == 0 || row[i] != row[i - 1] + 1;
        EXPECT_EQ(runs, 2) << dpi;

        auto has = [&](const std::wstring& text) {
            return std::any_of(texts.begin(), texts.end(),
                               [&](const PlacedText& t) { return t.text == text; });
        };
        EXPECT_TRUE(has(L"100%"));
        EXPECT_TRUE(has(L"12:00:00")) << "the time axis ends at the newest second";
        EXPECT_TRUE(has(L"11:50:01"));
        EXPECT_TRUE(has(L"今月 受 0 送 0    先月 受 0 送 0"))
            << "the months' sums under the time axis";
    }
    // In English the same figures with English words, at the same places.
    {
        base::Image image(700, 700);
        std::vector<PlacedText> japanese = drawHistory(image, {}, h.history, {});
        base::setLanguage(base::Language::English);
        std::vector<PlacedText> english = drawHistory(image, {}, h.history, {});
        base::setLanguage(base::Language::Japanese);
        ASSERT_EQ(english.size(), japanese.size());
        auto has = [&](const std::wstring& text) {
            return std::any_of(english.begin(), english.end(),
                               [&](const PlacedText& t) { return t.text == text; });
        };
        EXPECT_TRUE(has(L"This month In 0 Out 0    Last month In 0 Out 0"));
        EXPECT_TRUE(has(L"Memory"));
        EXPECT_TRUE(has(L"1 hour"));
    }

    // A notice of the newest second stands at the top of the processor chart, at its right end,
    // plain at every scale; one older than the span is not drawn.
    const base::Colour mark = base::rgb(230, 0, 110);
    for (int dpi : {96, 192}) {
        const base::DpiScale s{dpi};
        base::Image image(s.px(700), s.px(700));
        const std::int64_t newest = h.history.ring().newestSecond();
        drawHistory(image, s, h.history, {0, 0, -1, {{newest, 0}, {newest - 700, 1}}});
        std::vector<int> marked;
        for (int x = 0; x < image.width(); ++x)
            if (!rowsIn(image, x, mark).empty()) marked.push_back(x);
        ASSERT_EQ(marked.size(), static_cast<size_t>(2 * s.px(4) + 1)) << dpi;
        EXPECT_GT(marked.front(), image.width() - s.px(24)) << dpi;
        EXPECT_LT(marked.back(), image.width() - s.px(6)) << "inside the chart's frame";
        const int middle = (marked.front() + marked.back()) / 2;
        EXPECT_EQ(rowsIn(image, middle, mark).size(), static_cast<size_t>(s.px(5))) << dpi;
    }

    EXPECT_EQ(spanButtonAt({96}, 10, 10), 0);
    EXPECT_EQ(spanButtonAt({192}, 160, 20), 1);
    EXPECT_EQ(spanButtonAt({96}, 64, 10), std::nullopt) << "between two buttons";
    EXPECT_EQ(spanButtonAt({96}, 250, 10), kMonthsSpan);
    EXPECT_EQ(spanButtonAt({144}, 300, 15), kDaysSpan);
    EXPECT_EQ(rowTextWidth(L"12/07 受"), 6 * 6 + 12);
}

TEST(ReadingsHistory, SourcesChartDrawsEachShownLineOnItsScaleWithItsLegend) {
    const base::Colour grid = base::rgb(208, 208, 208);
    const base::Colour temperature = sourceLineColour(0), load = sourceLineColour(1),
                       hidden = sourceLineColour(2), fan = sourceLineColour(3);
    History h;
    h.at(2026, 12, 7, 12, 0, 0);
    h.history.readFile();
    // 40 °C for eight seconds, a second without a value, then 60 °C; a load at 25 %, a hidden
    // source, and a fan on its bar range.
    std::uint32_t ms = 0;
    for (int second = 0; second < 15; ++second, ms += 1000) {
        monitor::Readings r = tickAt(ms, 50, 50);
        std::optional<double> celsius;
        if (second != 8) celsius = second < 8 ? 40 : 60;
        r.sources = {source(L"t", celsius), source(L"l", 25), source(L"h", 10), source(L"f", 1000)};
        r.sources[0].name = L"温度";
        r.sources[0].unit = L"°C";
        r.sources[0].text = L"60.0°C";
        r.sources[1].name = L"負荷";
        r.sources[1].unit = L"%";
        r.sources[1].text = L"25%";
        r.sources[2].shown = false;
        r.sources[3].name = L"ファン";
        r.sources[3].unit = L"RPM";
        r.sources[3].text = L"1000RPM";
        r.sources[3].barMin = 0;
        r.sources[3].barMax = 2000;
        h.history.record(r);
    }

    for (int dpi : {96, 192}) {
        const base::DpiScale s{dpi};
        base::Image image(s.px(700), s.px(700));
        std::vector<PlacedText> texts = drawHistory(image, s, h.history, {});
        // The charts' frames down their left edge: the sources' chart is the fifth.
        const int frameLeft = s.px(92), frameRight = image.width() - s.px(6) - 1;
        std::vector<std::pair<int, int>> frames;
        for (int y : rowsIn(image, frameLeft, grid)) {
            if (!frames.empty() && frames.back().second == y - 1)
                frames.back().second = y;
            else
                frames.push_back({y, y});
        }
        ASSERT_EQ(frames.size(), 5u) << dpi;
        // Named apart, not bound: clang 14 cannot capture a structured binding.
        const int top = frames[4].first, bottom = frames[4].second;
        auto inside = [&](int x, base::Colour colour) {
            std::vector<int> ys;
            for (int y : rowsIn(image, x, colour))
                if (y > top && y < bottom) ys.push_back(y);
            return ys;
        };
        const int newest = frameRight - 1, thickness = s.px(1);
        const int height = bottom - top - 1 - thickness;
        // The temperature on the span's lowest to highest: the newest at the top, the first
        // seconds at the bottom, the second without a value open.
        std::vector<int> hot = inside(newest, temperature);
        ASSERT_EQ(hot.size(), static_cast<size_t>(thickness)) << dpi;
        EXPECT_EQ(hot.front(), top + 1) << dpi;
        EXPECT_EQ(inside(newest - s.px(10), temperature).back(), bottom - 1) << dpi;
        if (dpi == 96) {
            // Second 8 of the closed seconds 0 to 13.
            EXPECT_TRUE(inside(newest - 5, temperature).empty());
            EXPECT_FALSE(inside(newest - 4, temperature).empty());
            EXPECT_FALSE(inside(newest - 6, temperature).empty());
        }
        // The load a quarter up its 0-100, the fan half way up its bar range.
        ASSERT_FALSE(inside(newest, load).empty()) << dpi;
        EXPECT_NEAR(inside(newest, load).front(), bottom - thickness - height / 4, 1) << dpi;
        ASSERT_FALSE(inside(newest, fan).empty()) << dpi;
        EXPECT_NEAR(inside(newest, fan).front(), bottom - thickness - height / 2, 1) << dpi;
        for (int x = 0; x < image.width(); ++x)
            ASSERT_TRUE(rowsIn(image, x, hidden).empty()) << "a hidden source draws nothing";

        auto has = [&](const std::wstring& text) {
            return std::any_of(texts.begin(), texts.end(),
                               [&](const PlacedText& t) { return t.text == text; });
        };
        EXPECT_TRUE(has(L"外部の値"));
        EXPECT_TRUE(has(L"目盛は凡例"));
        EXPECT_TRUE(has(L"温度 60.0°C (最小40～最大60°C)"));
        EXPECT_TRUE(has(L"負荷 25% (0～100%)"));
        EXPECT_TRUE(has(L"ファン 1000RPM (目盛 0～2000RPM)"));
    }
    {
        base::Image image(700, 700);
        base::setLanguage(base::Language::English);
        std::vector<PlacedText> english = drawHistory(image, {}, h.history, {});
        base::setLanguage(base::Language::Japanese);
        auto has = [&](const std::wstring& text) {
            return std::any_of(english.begin(), english.end(),
                               [&](const PlacedText& t) { return t.text == text; });
        };
        EXPECT_TRUE(has(L"External"));
        EXPECT_TRUE(has(L"温度 60.0°C (min 40-max 60°C)"));
        EXPECT_TRUE(has(L"負荷 25% (0-100%)"));
        EXPECT_TRUE(has(L"ファン 1000RPM (scale 0-2000RPM)"));
    }

    // With no shown source the four charts keep the height.
    History quiet;
    quiet.history.readFile();
    for (std::uint32_t t = 0; t < 3000; t += 1000) {
        monitor::Readings r = tickAt(t, 50, 50);
        r.sources = {source(L"h", 10)};
        r.sources[0].shown = false;
        quiet.history.record(r);
    }
    base::Image image(700, 700);
    drawHistory(image, {}, quiet.history, {});
    int frameTops = 0;
    for (int y = 1; y < image.height(); ++y)
        frameTops += image.pixel(92, y) == grid && image.pixel(92, y - 1) != grid;
    EXPECT_EQ(frameTops, 4);
}

// What a screen reader hears of the trend window: the span and lines it shows, and each line's
// current, mean and highest over the span, in the program's language; a bar as its tip says it.
TEST(ReadingsHistory, TheChartReadsAsWordsInBothLanguages) {
    History h;
    h.at(2026, 12, 9, 12, 0, 0);
    EXPECT_EQ(chartSummary(h.history, 0, settings::kKilobytesPerSecond,
                           summarizeTraffic(h.history.days(), h.history.today())),
              L"まだ記録がありません");
    // Four seconds closed (the fifth still counting): 10, 10, 30 and 20 % of the processor;
    // the memory read in the first only.
    const int cpu[] = {10, 10, 30, 20, 20};
    for (std::uint32_t s = 0; s < 5; ++s) {
        monitor::Readings r = tickAt(s * 1000, cpu[s], 40, s * 2048, 0);
        r.sampledNow.memory = s == 0;
        h.history.record(r);
    }
    const TrafficSummary traffic = summarizeTraffic(h.history.days(), h.history.today());
    EXPECT_EQ(chartName(0), L"履歴グラフ 10分（CPU、メモリ、受信、送信）");
    const std::wstring ja = chartSummary(h.history, 0, settings::kKilobytesPerSecond, traffic);
    EXPECT_NE(ja.find(L"CPU 現在 20% 平均 18% 最高 30%、メモリ 現在 40% 平均 40% 最高 40%"),
              std::wstring::npos)
        << ja;
    EXPECT_NE(ja.find(L"受信 現在 2"), std::wstring::npos) << ja;
    EXPECT_EQ(chartBarCount(0), 0) << "the lines have no bars to walk";

    base::setLanguage(base::Language::English);
    const std::wstring en = chartSummary(h.history, 0, settings::kKilobytesPerSecond, traffic);
    const std::wstring name = chartName(kDaysSpan);
    const std::wstring today = barDescription(traffic, kDaysSpan, chartBarCount(kDaysSpan) - 1);
    base::setLanguage(base::Language::Japanese);
    EXPECT_NE(en.find(L"CPU now 20%, mean 18%, highest 30%; Memory now 40%"), std::wstring::npos)
        << en;
    EXPECT_EQ(name, L"History graph, Days (Received; Sent)");
    EXPECT_EQ(chartBarCount(kDaysSpan), 31);
    EXPECT_TRUE(today.starts_with(L"2026/12/09 (today); Received ")) << today;
    EXPECT_NE(today.find(L"Received"), std::wstring::npos) << today;
    EXPECT_EQ(barDescription(traffic, kDaysSpan, 31), L"") << "past the last bar";
}
