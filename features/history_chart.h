#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dpi_scale.h"
#include "base/image.h"
#include "features/placed_text.h"
#include "features/readings_history.h"
#include "features/traffic_summary.h"

namespace features {

// The trend window's charts, top to bottom.
enum HistoryChart : int { kProcessorChart = 0, kMemoryChart, kReceiveChart, kSendChart };

// A notice told at a second of the history's ring, marked at the top of its reading's chart.
struct ChartMark {
    std::int64_t second = 0;
    int chart = kProcessorChart;  // a HistoryChart
};

// What the trend window shows besides the history itself.
struct HistoryScene {
    int span = 0;       // index into kSpanLabels: the time spans, then the days and the months
    int rateUnit = 0;   // the list's unit of rates
    int pointerX = -1;  // the pointer over the window; -1 when it is elsewhere
    std::vector<ChartMark> marks;
    int pointerY = -1;
    int chosenBar = -1;  // the bar the keyboard walked to; -1: the one under the pointer
    // The traffic's days and months as the window keeps them; made from the history when null.
    const TrafficSummary* traffic = nullptr;
};

// The trend window's picture at a display scale: the span buttons, the four charts over one time
// axis and the daily totals, as lines and boxes drawn into `image` (the size of the window's
// client area) and the texts to print over them. Drawn with the list's drawing code, so the
// charts are crisp at every scale and can be checked pixel by pixel.
std::vector<PlacedText> drawHistory(base::Image& image, base::DpiScale scale,
                                    const ReadingsHistory& history, const HistoryScene& scene);

// The least client area at which the span buttons, the totals and a bar's tip show whole: the
// window is not made smaller by a drag.
struct PictureSize {
    int width = 0, height = 0;
};
PictureSize historyMinimumClient(base::DpiScale scale);

// The span whose button is under (x, y), if any.
std::optional<int> spanButtonAt(base::DpiScale scale, int x, int y);

// The width of a text in the row font at 96 DPI: 6 px a half-width character, 12 px any other.
int rowTextWidth(std::wstring_view text);

}  // namespace features
