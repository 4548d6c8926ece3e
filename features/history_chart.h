#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dpi_scale.h"
#include "base/image.h"
#include "features/readings_history.h"

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
    int span = 0;       // index into kHistorySpans
    int rateUnit = 0;   // the list's unit of rates
    int pointerX = -1;  // the pointer over the window; -1 when it is elsewhere
    std::vector<ChartMark> marks;
};

// A text of the picture, printed over the image in the row font at the picture's scale.
struct PlacedText {
    int x = 0, y = 0;
    std::wstring text;
};

// The trend window's picture at a display scale: the span buttons, the four charts over one time
// axis and the daily totals, as lines and boxes drawn into `image` (the size of the window's
// client area) and the texts to print over them. Drawn with the list's drawing code, so the
// charts are crisp at every scale and can be checked pixel by pixel.
std::vector<PlacedText> drawHistory(base::Image& image, base::DpiScale scale,
                                    const ReadingsHistory& history, const HistoryScene& scene);

// The span whose button is under (x, y), if any.
std::optional<int> spanButtonAt(base::DpiScale scale, int x, int y);

// The width of a text in the row font at 96 DPI: 6 px a half-width character, 12 px any other.
int rowTextWidth(std::wstring_view text);

}  // namespace features
