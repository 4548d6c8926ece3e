#include "features/traffic_bars.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/texts.h"
#include "fakes/fake_desktop_state.h"
#include "fakes/fake_text_files.h"
#include "features/history_chart.h"
#include "features/history_view.h"
#include "features/traffic_summary.h"

using namespace features;

namespace {

const base::Colour kReceived = base::rgb(192, 64, 0), kSent = base::rgb(128, 0, 160),
                   kNowBand = base::rgb(255, 238, 180), kTip = base::rgb(255, 255, 225);

std::wstring dayLine(Day day, std::int64_t received, std::int64_t sent) {
    const CivilDate d = dateOf(day);
    wchar_t text[64];
    swprintf(text, 64, L"%04d-%02d-%02d,%lld,%lld", d.year, d.month, d.day,
             static_cast<long long>(received), static_cast<long long>(sent));
    return text;
}

// A history whose file holds the lines, on 2026-12-08 at noon.
struct FileHistory {
    fakes::FakeTextFiles files;
    fakes::FakeLocale locale;
    ReadingsHistory history{files, locale, L"h.csv"};
    explicit FileHistory(std::vector<std::wstring> lines) {
        files.files[L"h.csv"] = std::move(lines);
        locale.time = {2026, 12, 8, 2, 12, 0, 0};
        history.readFile();
    }
};

bool hasText(const std::vector<PlacedText>& texts, const std::wstring& text) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const PlacedText& t) { return t.text == text; });
}

// The columns of the image that hold the colour anywhere below the key.
std::vector<int> columnsWith(const base::Image& image, base::Colour colour) {
    std::vector<int> xs;
    const int below = image.height() * 44 / 540;
    for (int x = 0; x < image.width(); ++x)
        for (int y = below; y < image.height(); ++y)
            if (image.pixel(x, y) == colour) {
                xs.push_back(x);
                break;
            }
    return xs;
}

// The runs of neighbouring columns in a sorted list.
std::vector<std::pair<int, int>> runsOf(const std::vector<int>& xs) {
    std::vector<std::pair<int, int>> runs;
    for (int x : xs) {
        if (runs.empty() || x != runs.back().second + 1)
            runs.push_back({x, x});
        else
            runs.back().second = x;
    }
    return runs;
}

}  // namespace

TEST(TrafficSummary, MonthsSumTheirDaysAndGapsJunkAndFutureDaysLoseNothing) {
    const Day today = dayOf(2026, 12, 8);
    const std::vector<std::wstring> lines{
        L"2025-12-31,1,1",  // thirteen months back: in the file, not among the bars
        L"2026-01-01,10,20",   L"2026-01-31,5,5", L"junk typed by hand", L"2026-02-30,9,9",
        L"2026-11-30,100,200", L"2026-12-01,7,8", L"2026-12-08,1,2",
        L"2026-12-09,999,999",  // days after today: the clock was set back
        L"2027-01-01,5,5"};
    const TrafficDays days = TrafficDays::parse(lines);
    const TrafficSummary s = summarizeTraffic(days, today);

    EXPECT_EQ(s.months.front().first, dayOf(2026, 1, 1));
    EXPECT_EQ(s.months.front().bytes.received, 15);
    EXPECT_EQ(s.months.front().bytes.sent, 25);
    EXPECT_EQ(s.months[1].bytes.received, 0) << "a month without lines is a gap, not junk's 9";
    EXPECT_EQ(s.months[10].first, dayOf(2026, 11, 1));
    EXPECT_EQ(s.months[10].bytes.sent, 200);
    EXPECT_EQ(s.months.back().bytes.received, 8) << "this month so far, not the future";
    EXPECT_EQ(s.thisMonth.sent, 10);
    EXPECT_EQ(s.lastMonth.received, 100);
    EXPECT_EQ(s.futureDays, 2);
    EXPECT_EQ(s.junkLines, 2);

    EXPECT_EQ(s.days.back().first, today);
    EXPECT_EQ(s.days.back().bytes.sent, 2);
    EXPECT_EQ(s.days.front().first, dayOf(2026, 11, 8));
    EXPECT_EQ(s.days[22].first, dayOf(2026, 11, 30));
    EXPECT_EQ(s.days[22].bytes.received, 100);
    EXPECT_EQ(s.days[23].bytes.received, 7);
    EXPECT_EQ(s.days[24].bytes.received, 0);
    // Reading the file for the bars changes none of its lines.
    EXPECT_EQ(days.lines(), lines);

    // A full file of 1,100 days, one day's figures each, ending today: each month the sum of
    // its days.
    std::vector<std::wstring> full;
    for (Day d = today - 1099; d <= today; ++d) full.push_back(dayLine(d, 1, 3));
    const TrafficSummary big = summarizeTraffic(TrafficDays::parse(full), today);
    EXPECT_EQ(big.months[0].bytes.received, 31) << "January";
    EXPECT_EQ(big.months[1].bytes.sent, 28 * 3) << "February";
    EXPECT_EQ(big.months[10].bytes.received, 30) << "November";
    EXPECT_EQ(big.thisMonth.received, 8);
    EXPECT_EQ(big.days.front().bytes.received, 1);
    EXPECT_EQ(big.futureDays + big.junkLines, 0);

    // The copy for a spreadsheet: a heading, then oldest first, the bytes exact.
    const std::wstring table = trafficTable(s, true);
    EXPECT_EQ(table.substr(0, table.find(L"\r\n")), L"月\t受信（バイト）\t送信（バイト）");
    EXPECT_NE(table.find(L"\r\n2026-01\t15\t25\r\n2026-02\t0\t0\r\n"), std::wstring::npos);
    EXPECT_EQ(table.substr(table.size() - 16), L"\r\n2026-12\t8\t10\r\n");
    const std::wstring dayTable = trafficTable(big, false);
    EXPECT_EQ(std::count(dayTable.begin(), dayTable.end(), L'\n'), 1 + TrafficSummary::kDays);
    EXPECT_NE(dayTable.find(L"\r\n2026-11-08\t1\t3\r\n"), std::wstring::npos);
    base::setLanguage(base::Language::English);
    EXPECT_EQ(trafficTable(s, false).substr(0, 30), L"Date\tReceived (bytes)\tSent (by");
    base::setLanguage(base::Language::Japanese);
}

TEST(TrafficSummary, IsMadeAgainWhenADaysLineOrTheDayChanges) {
    TrafficDays days = TrafficDays::parse({L"2026-12-07,5,5"});
    TrafficSummaryCache cache;
    const Day today = dayOf(2026, 12, 8);
    EXPECT_EQ(cache.of(days, today).days.back().bytes.received, 0);
    days.add(today, {40, 2});
    EXPECT_EQ(cache.of(days, today).days.back().bytes.received, 40);
    EXPECT_EQ(cache.of(days, today + 1).days[29].bytes.received, 40) << "a day on";
    // Another list read from the file (the write reads it again) is another list.
    TrafficDays reread = TrafficDays::parse({L"2026-12-09,3,3"});
    EXPECT_EQ(cache.of(reread, today + 1).days.back().bytes.received, 3);
}

TEST(TrafficBars, ScaleReadsInRoundAmountsOfTheListsUnits) {
    const double mb = 1024.0 * 1024, gb = mb * 1024;
    BarScale none = barScaleFor(0);
    EXPECT_EQ(scaleText(none.top, none.unit), L"1MB");
    BarScale big = barScaleFor(static_cast<std::int64_t>(1.5 * gb));
    EXPECT_DOUBLE_EQ(big.top, 1.5 * gb);
    EXPECT_EQ(scaleText(big.step, big.unit), L"0.5GB");
    BarScale mid = barScaleFor(static_cast<std::int64_t>(700 * mb));
    EXPECT_DOUBLE_EQ(mid.top, 800 * mb);
    EXPECT_EQ(scaleText(mid.step * 3, mid.unit), L"600MB");
    // A day just under 1 GiB: "0.2GB ... 1GB", not "500MB / 1000MB / 1500MB".
    BarScale nearGiB = barScaleFor(static_cast<std::int64_t>(1000 * mb));
    EXPECT_EQ(scaleText(nearGiB.top, nearGiB.unit), L"1GB");
    EXPECT_EQ(scaleText(nearGiB.step, nearGiB.unit), L"0.2GB");
    BarScale small = barScaleFor(3000);
    EXPECT_EQ(scaleText(small.top, small.unit), L"3KB");
    EXPECT_EQ(scaleText(0, 2), L"0");
    EXPECT_EQ(groupedBytes(1834201566), L"1,834,201,566");
    EXPECT_EQ(groupedBytes(999), L"999");
}

TEST(TrafficBars, DaysAndMonthsDrawCrispUnclippedWithTodayMarkedAndExactFiguresAtThePointer) {
    const Day today = dayOf(2026, 12, 8);
    std::vector<std::wstring> lines{L"a note"};
    // Yesterday the highest; today a little; a gap the day before yesterday.
    for (Day d = today - 40; d <= today - 3; ++d)
        lines.push_back(dayLine(d, 100'000'000, 9'000'000));
    lines.push_back(dayLine(today - 1, 1'834'201'566, 90'211'873));
    lines.push_back(dayLine(today, 2'000, 1'000));
    lines.push_back(dayLine(today + 3, 1, 1));
    FileHistory h(lines);

    for (int dpi : {96, 144, 192}) {
        const base::DpiScale s{dpi};
        base::Image image(s.px(720), s.px(540));
        HistoryScene scene;
        scene.span = kDaysSpan;
        if (dpi == 96) {
            // One line kept aside of each kind reads as one line.
            base::setLanguage(base::Language::English);
            std::vector<PlacedText> english = drawHistory(image, s, h.history, scene);
            base::setLanguage(base::Language::Japanese);
            auto shows = [&](std::wstring_view text) {
                return std::any_of(english.begin(), english.end(),
                                   [&](const PlacedText& t) { return t.text == text; });
            };
            EXPECT_TRUE(shows(L"1 line that is not a day is kept in the file as it is"));
            EXPECT_TRUE(shows(L"1 line of a day after today is kept in the file, not shown"));
        }
        std::vector<PlacedText> texts = drawHistory(image, s, h.history, scene);

        // 31 days, two bars each: the received bars one run of columns a day with traffic.
        std::vector<std::pair<int, int>> received = runsOf(columnsWith(image, kReceived));
        std::vector<std::pair<int, int>> sent = runsOf(columnsWith(image, kSent));
        ASSERT_EQ(received.size(), 30u) << dpi << ": the gap day has none";
        ASSERT_EQ(sent.size(), 30u) << dpi;
        for (size_t i = 0; i < received.size(); ++i) {
            EXPECT_EQ(sent[i].first, received[i].second + 1) << "side by side";
            EXPECT_EQ(sent[i].second - sent[i].first, received[i].second - received[i].first)
                << "as wide";
        }
        // Each bar a solid box standing on one baseline; yesterday's the tallest, at the top
        // of the scale (1.75 GB on a 2 GB scale), today's a sliver.
        auto heightOf = [&](int x, base::Colour colour) {
            int top = -1, bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) == colour) {
                    if (top < 0) top = y;
                    EXPECT_TRUE(bottom < 0 || bottom == y - 1) << "no holes, dpi " << dpi;
                    bottom = y;
                }
            return std::pair{top, bottom};
        };
        const auto yesterday = heightOf(received[28].first, kReceived);
        const auto before = heightOf(received[27].first, kReceived);
        const auto now = heightOf(received[29].first, kReceived);
        EXPECT_EQ(yesterday.second, before.second);
        EXPECT_EQ(now.second, before.second);
        EXPECT_LT(yesterday.first, before.first);
        EXPECT_GE(now.first, now.second - s.px(1));
        // Today's slot marked, around today's bars, at the right end.
        std::vector<std::pair<int, int>> band = runsOf(columnsWith(image, kNowBand));
        ASSERT_EQ(band.size(), 1u) << dpi;
        EXPECT_LE(band[0].first, received[29].first);
        EXPECT_GE(band[0].second, sent[29].second);
        EXPECT_LT(band[0].second, image.width() - s.px(4));

        // The scale in round amounts, the day numbers, the months' totals line; every text
        // inside the picture.
        EXPECT_TRUE(hasText(texts, L"2GB")) << dpi;
        EXPECT_TRUE(hasText(texts, L"0"));
        EXPECT_TRUE(hasText(texts, L"8")) << "today's number";
        EXPECT_TRUE(hasText(texts, L"受信"));
        for (const PlacedText& t : texts) {
            EXPECT_GE(t.x, 0) << dpi;
            EXPECT_LE(t.x + s.px(rowTextWidth(t.text)), image.width()) << t.text.size();
            EXPECT_LE(t.y + s.px(13), image.height());
        }
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const PlacedText& t) {
            return t.text.find(L"今月") == 0;
        })) << "this month's and last month's sums stay";
        EXPECT_TRUE(hasText(texts, base::format(base::Text::TrafficFutureDays, {L"1"})));
        EXPECT_TRUE(hasText(texts, base::format(base::Text::TrafficJunkLines, {L"1"})));

        // Pointing at yesterday: its date and both figures exact, in a tip over the bars.
        scene.pointerX = (received[28].first + sent[28].second) / 2;
        scene.pointerY = s.px(200);
        texts = drawHistory(image, s, h.history, scene);
        EXPECT_TRUE(hasText(texts, L"2026/12/07")) << dpi;
        EXPECT_TRUE(hasText(texts, L"受信 1.71GB（1,834,201,566 バイト）"));
        EXPECT_TRUE(hasText(texts, L"送信 86.03MB（90,211,873 バイト）"));
        EXPECT_TRUE(hasText(texts, L"合計 1.79GB（1,924,413,439 バイト）"));
        EXPECT_FALSE(columnsWith(image, kTip).empty());
        for (const PlacedText& t : texts) {
            EXPECT_GE(t.x, 0);
            EXPECT_LE(t.x + s.px(rowTextWidth(t.text)), image.width()) << "the tip fits";
        }
        // The keyboard's bar rather than the pointer's.
        scene.chosenBar = 30;
        texts = drawHistory(image, s, h.history, scene);
        EXPECT_TRUE(hasText(texts, L"2026/12/08（今日）"));
        EXPECT_FALSE(hasText(texts, L"2026/12/07"));

        // The months: twelve pairs, this month marked and told so far.
        HistoryScene months;
        months.span = kMonthsSpan;
        months.chosenBar = 11;
        texts = drawHistory(image, s, h.history, months);
        EXPECT_EQ(runsOf(columnsWith(image, kReceived)).size(), 3u) << "October to December";
        EXPECT_TRUE(hasText(texts, L"2026/12（今月、8日まで）")) << dpi;
        // 2,469,416,439 bytes in 8 days of 31: 9,568,988,701 by the month's end.
        EXPECT_TRUE(hasText(texts, L"このペースなら月末に合計 8.91GB"));
        EXPECT_TRUE(hasText(texts, L"2026")) << "the year under January";
        EXPECT_TRUE(hasText(texts, L"12"));
    }

    // English: the same picture with English words.
    base::setLanguage(base::Language::English);
    base::Image image(720, 540);
    HistoryScene scene;
    scene.span = kMonthsSpan;
    scene.chosenBar = 11;
    std::vector<PlacedText> texts = drawHistory(image, {}, h.history, scene);
    base::setLanguage(base::Language::Japanese);
    EXPECT_TRUE(hasText(texts, L"2026/12 (this month, through day 8)"));
    EXPECT_TRUE(hasText(texts, L"Months"));
    EXPECT_TRUE(hasText(texts, L"Received"));
}

// The smallest window a drag leaves shows the span buttons, the totals and a tip whole, in
// either language and at any scale.
TEST(TrafficBars, TheLeastWindowShowsEveryTextWhole) {
    const Day today = dayOf(2026, 12, 8);
    std::vector<std::wstring> lines;
    for (Day d = today - 400; d <= today; ++d)
        lines.push_back(dayLine(d, 1'834'201'566'000, 990'211'873'000));
    FileHistory h(lines);
    for (base::Language language : {base::Language::Japanese, base::Language::English}) {
        base::setLanguage(language);
        for (int dpi : {96, 192}) {
            const base::DpiScale s{dpi};
            const PictureSize least = historyMinimumClient(s);
            base::Image image(least.width, least.height);
            for (int span = 0; span < kSpanCount; ++span)
                for (int x = 0; x < least.width; x += s.px(7)) {
                    HistoryScene scene;
                    scene.span = span;
                    scene.pointerX = x;
                    scene.pointerY = least.height / 2;
                    for (const PlacedText& t : drawHistory(image, s, h.history, scene))
                        ASSERT_LE(t.x + s.px(rowTextWidth(t.text)), least.width)
                            << dpi << " span " << span << " at " << x << ": " << t.text.size();
                }
        }
    }
    base::setLanguage(base::Language::Japanese);
}
