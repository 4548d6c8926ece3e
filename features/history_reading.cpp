#include "features/history_reading.h"

#include <cmath>
#include <limits>

#include "features/history_view.h"
#include "features/traffic_bars.h"
#include "monitor/row_format.h"

namespace features {
namespace {

using base::Text;

constexpr Text kLineTitles[] = {Text::ChartCpu, Text::ChartMemory, Text::ChartReceived,
                                Text::ChartSent};

std::wstring joined(const std::vector<std::wstring>& parts) {
    std::wstring text;
    for (const std::wstring& part : parts)
        text += (text.empty() ? L"" : base::text(Text::ChartListSeparator)) + part;
    return text;
}

float fieldOf(const HistorySample& s, int field) {
    const float values[] = {s.cpuPercent, s.memoryPercent, s.receivedPerSecond, s.sentPerSecond};
    return values[field];
}

}  // namespace

std::wstring chartName(int span) {
    std::vector<std::wstring> lines;
    if (isTrafficSpan(span)) {
        lines = {base::text(Text::ChartReceived), base::text(Text::ChartSent)};
    } else {
        for (Text title : kLineTitles) lines.push_back(base::text(title));
    }
    return base::format(Text::ChartName, {base::text(kSpanLabels[span]), joined(lines)});
}

std::wstring chartSummary(const ReadingsHistory& history, int span, int rateUnit,
                          const TrafficSummary& traffic) {
    if (isTrafficSpan(span)) return barDescription(traffic, span, chartBarCount(span) - 1);
    const HistoryRing& ring = history.ring();
    if (ring.empty()) return base::text(Text::ChartNoReadings);
    const std::int64_t newest = ring.newestSecond();
    std::vector<std::wstring> lines;
    for (int field = 0; field < 4; ++field) {
        double sum = 0, highest = -std::numeric_limits<double>::infinity();
        int count = 0;
        std::optional<float> current;
        for (std::int64_t second = newest - kHistorySpans[span].seconds + 1; second <= newest;
             ++second) {
            const std::optional<HistorySample> sample = ring.at(second);
            if (!sample || std::isnan(fieldOf(*sample, field))) continue;
            const float v = fieldOf(*sample, field);
            sum += v;
            highest = std::max(highest, static_cast<double>(v));
            ++count;
            current = v;
        }
        auto shown = [&](double v) -> std::wstring {
            if (field < 2) return std::to_wstring(std::lround(v)) + L"%";
            return monitor::rateText(std::llround(inListUnit(v, rateUnit)), rateUnit);
        };
        if (count == 0) {
            lines.push_back(base::format(Text::ChartLineEmpty, {base::text(kLineTitles[field])}));
            continue;
        }
        lines.push_back(base::format(
            Text::ChartLineSummary,
            {base::text(kLineTitles[field]), shown(*current), shown(sum / count), shown(highest)}));
    }
    return joined(lines);
}

int chartBarCount(int span) { return isTrafficSpan(span) ? barCount(span == kMonthsSpan) : 0; }

std::wstring barDescription(const TrafficSummary& traffic, int span, int bar) {
    if (bar < 0 || bar >= chartBarCount(span)) return {};
    return joined(barTipLines(traffic, span == kMonthsSpan, bar));
}

}  // namespace features
