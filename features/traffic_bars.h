#pragma once
#include <vector>

#include "base/dpi_scale.h"
#include "base/image.h"
#include "features/placed_text.h"
#include "features/traffic_summary.h"

namespace features {

struct BarsScene {
    bool months = false;  // the 12 months, else the 31 days
    int pointerX = -1, pointerY = -1;
    int chosenBar = -1;  // the keyboard's bar; -1: the one under the pointer
};

// The part of the picture the bars take, right and bottom not included.
struct BarsArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The traffic's days or months as pairs of bars (received, sent) over a scale of round amounts,
// with a key, the day or month numbers under the bars, today or this month marked, and the exact
// figures of the bar under the pointer (or the keyboard's) in a tip beside it.
void drawTrafficBars(base::Image& image, base::DpiScale scale, const BarsArea& area,
                     const TrafficSummary& summary, const BarsScene& scene,
                     std::vector<PlacedText>& texts);

// The top of the scale and its step for the highest bar, in bytes: a 1, 2 or 5 step of
// kilobytes, megabytes, gigabytes or terabytes (of 1,024), at most five steps up to the top.
struct BarScale {
    double top = 0, step = 0;
    int unit = 0;  // 0 KB, 1 MB, 2 GB, 3 TB
};
BarScale barScaleFor(std::int64_t highest);
// The same in a given unit.
BarScale barScaleIn(std::int64_t highest, int unit);
// An amount on the scale: "0", "512MB", "1.5GB".
std::wstring scaleText(double bytes, int unit);
// A byte count with its thousands grouped: "1,834,201,566".
std::wstring groupedBytes(std::int64_t bytes);

int barCount(bool months);

// What the tip of bar `i` says, a line each: its date, both figures and their sum (and this
// month's pace).
std::vector<std::wstring> barTipLines(const TrafficSummary& summary, bool months, int i);

}  // namespace features
