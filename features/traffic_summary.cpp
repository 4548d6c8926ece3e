#include "features/traffic_summary.h"

#include <cwchar>
#include <limits>

#include "base/texts.h"

namespace features {
namespace {

std::int64_t plus(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    return b > kMax - a ? kMax : a + b;
}

void addTo(ByteTotals& total, const ByteTotals& bytes) {
    total.received = plus(total.received, bytes.received);
    total.sent = plus(total.sent, bytes.sent);
}

int monthIndex(Day day) {
    const CivilDate d = dateOf(day);
    return d.year * 12 + d.month - 1;
}

}  // namespace

TrafficSummary summarizeTraffic(const TrafficDays& days, Day today) {
    TrafficSummary s;
    s.today = today;
    for (int i = 0; i < TrafficSummary::kDays; ++i)
        s.days[i].first = today - (TrafficSummary::kDays - 1 - i);
    for (int i = 0; i < TrafficSummary::kMonths; ++i)
        s.months[i].first = firstOfMonth(today, TrafficSummary::kMonths - 1 - i);
    const Day firstDay = s.days.front().first, firstMonthDay = s.months.front().first;
    const int thisMonth = monthIndex(today);
    for (const TrafficLine& line : days.entries()) {
        if (!line.day) {
            ++s.junkLines;
            continue;
        }
        const Day day = *line.day;
        if (day > today) {
            ++s.futureDays;
            continue;
        }
        if (day >= firstDay) addTo(s.days[day - firstDay].bytes, line.bytes);
        if (day >= firstMonthDay) {
            const int back = thisMonth - monthIndex(day);
            addTo(s.months[TrafficSummary::kMonths - 1 - back].bytes, line.bytes);
        }
    }
    s.thisMonth = s.months[TrafficSummary::kMonths - 1].bytes;
    s.lastMonth = s.months[TrafficSummary::kMonths - 2].bytes;
    return s;
}

const TrafficSummary& TrafficSummaryCache::of(const TrafficDays& days, Day today) {
    if (!made_ || revision_ != days.revision() || summary_.today != today) {
        summary_ = summarizeTraffic(days, today);
        revision_ = days.revision();
        made_ = true;
    }
    return summary_;
}

std::wstring trafficTable(const TrafficSummary& summary, bool months) {
    std::wstring table = base::text(months ? base::Text::TrafficTableMonthHeading
                                           : base::Text::TrafficTableDayHeading);
    table += L"\r\n";
    auto row = [&](const TrafficSummary::Bar& bar) {
        const CivilDate d = dateOf(bar.first);
        wchar_t date[16];
        if (months)
            swprintf(date, 16, L"%04d-%02d", d.year, d.month);
        else
            swprintf(date, 16, L"%04d-%02d-%02d", d.year, d.month, d.day);
        table += date;
        table += L"\t" + std::to_wstring(bar.bytes.received) + L"\t" +
                 std::to_wstring(bar.bytes.sent) + L"\r\n";
    };
    if (months)
        for (const auto& bar : summary.months) row(bar);
    else
        for (const auto& bar : summary.days) row(bar);
    return table;
}

}  // namespace features
