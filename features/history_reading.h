#pragma once
#include <string>

#include "features/readings_history.h"
#include "features/traffic_summary.h"

namespace features {

// The trend window in words, for screen readers: what the chart shows (its span and lines), a
// summary of it, and each bar of the traffic spans as its tip says it.
std::wstring chartName(int span);
// The time spans: each line's current value, mean and highest over the span; the traffic spans:
// today or this month, as its bar's tip says it.
std::wstring chartSummary(const ReadingsHistory& history, int span, int rateUnit,
                          const TrafficSummary& traffic);
// The bars a reader walks: none for the time spans.
int chartBarCount(int span);
std::wstring barDescription(const TrafficSummary& traffic, int span, int bar);

}  // namespace features
