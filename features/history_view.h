#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/texts.h"
#include "features/traffic_days.h"

namespace features {

// The spans the trend window offers, shortest first.
struct HistorySpan {
    base::Text label;
    std::int64_t seconds;
};
inline constexpr HistorySpan kHistorySpans[] = {{base::Text::Span10Minutes, 10 * 60},
                                                {base::Text::Span1Hour, 60 * 60},
                                                {base::Text::Span24Hours, 24 * 60 * 60}};
// After the time spans, the traffic as bars: the days and the months.
inline constexpr int kDaysSpan = 3, kMonthsSpan = 4, kSpanCount = 5;
inline constexpr base::Text kSpanLabels[kSpanCount] = {
    base::Text::Span10Minutes, base::Text::Span1Hour, base::Text::Span24Hours, base::Text::SpanDays,
    base::Text::SpanMonths};
inline constexpr bool isTrafficSpan(int span) { return span >= kDaysSpan; }

// A rate in bytes per second in the unit the list writes rates in: Kbyte/s or Kbit/s.
double inListUnit(double bytesPerSecond, int rateUnit);
// The top of a rate chart's value axis: the first 1, 2 or 5 step at or above the peak, so the
// scale reads as round figures; 1 for a chart with no traffic.
double rateAxisTop(double peak);

// A byte count as the totals under the charts show it: "0", kilobytes below a megabyte, then
// megabytes, gigabytes or terabytes with two decimals.
std::wstring amountText(std::int64_t bytes);

struct DayTotals {
    Day day;
    ByteTotals bytes;
};
// The last `count` days up to today, newest first; a day without a line shows 0.
std::vector<DayTotals> lastDays(const TrafficDays& days, Day today, int count);

struct MonthSums {
    ByteTotals thisMonth, lastMonth;
};
MonthSums monthSums(const TrafficDays& days, Day today);

}  // namespace features
