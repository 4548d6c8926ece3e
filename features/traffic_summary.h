#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "features/traffic_days.h"

namespace features {

// What the trend window shows of the traffic file: the last 31 days and the last 12 months,
// read in one pass over the file's lines, so the bars never walk the file on a tick.
struct TrafficSummary {
    static constexpr int kDays = 31, kMonths = 12;

    struct Bar {
        Day first = 0;  // the day, or the first day of the month
        ByteTotals bytes;
    };
    Day today = 0;
    std::array<Bar, kDays> days{};      // oldest first; the last is today
    std::array<Bar, kMonths> months{};  // oldest first; the last is this month, so far
    ByteTotals thisMonth, lastMonth;
    int futureDays = 0;  // lines of days after today: kept in the file, not drawn
    int junkLines = 0;   // lines that do not read as a day: kept, counting nothing
};

TrafficSummary summarizeTraffic(const TrafficDays& days, Day today);

// The summary made again only when a day's line or the day itself changed.
class TrafficSummaryCache {
public:
    const TrafficSummary& of(const TrafficDays& days, Day today);

private:
    TrafficSummary summary_;
    std::uint64_t revision_ = 0;
    bool made_ = false;
};

// The days (or the months) as tab-separated lines for a spreadsheet, oldest first, with a
// heading line; the bytes exact.
std::wstring trafficTable(const TrafficSummary& summary, bool months);

}  // namespace features
