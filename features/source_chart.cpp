#include "features/source_chart.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "base/texts.h"
#include "features/history_chart.h"
#include "render/draw.h"

namespace features {
namespace {

// Apart from one another and from the marks of notices; the list has at most 16 sources, so
// past eight a colour comes again.
constexpr base::Colour kSourceLines[] = {base::rgb(16, 80, 220), base::rgb(224, 112, 0),
                                         base::rgb(0, 160, 112), base::rgb(160, 32, 200),
                                         base::rgb(168, 140, 0), base::rgb(0, 150, 200),
                                         base::rgb(176, 40, 40), base::rgb(100, 100, 100)};

// Designed at 96 DPI.
constexpr int kLineHeight = 15, kLegendLeft = 6, kSwatchWidth = 14, kSwatchGap = 4, kEntryGap = 16;

bool isPercent(const monitor::SourceReading& r) { return r.unit == L"%"; }

// A scale's figure: as few digits as tell it.
std::wstring scaleNumber(double v) {
    wchar_t text[64];
    swprintf(text, 64, std::fabs(v) >= 100 ? L"%.0f" : L"%.1f", v);
    std::wstring s = text;
    if (s.size() > 2 && s.ends_with(L".0")) s.resize(s.size() - 2);
    return s == L"-0" ? L"0" : s;
}

std::vector<float> columnMeans(const SourceSeries& series, std::int64_t first,
                               std::int64_t spanSeconds, int width) {
    std::vector<float> columns(static_cast<size_t>(std::max(width, 0)), kNoValue);
    for (int c = 0; c < width; ++c) {
        const std::int64_t from = first + spanSeconds * c / width;
        const std::int64_t to = std::max(from + 1, first + spanSeconds * (c + 1) / width);
        double sum = 0;
        int n = 0;
        for (std::int64_t second = from; second < to; ++second) {
            const float v = series.seconds.at(second).value_or(kNoValue);
            if (std::isnan(v)) continue;
            sum += v;
            ++n;
        }
        if (n > 0) columns[static_cast<size_t>(c)] = static_cast<float>(sum / n);
    }
    return columns;
}

struct Placed {
    int x = 0, line = 0, width = 0;
};

// Where each legend entry goes: on from the last while the width takes it, else on a new line.
std::vector<Placed> placeLegend(base::DpiScale s, int width, const std::vector<SourceLine>& lines) {
    std::vector<Placed> placed;
    const int left = s.px(kLegendLeft), right = width - s.px(kLegendLeft);
    int x = left, line = 0;
    for (const SourceLine& l : lines) {
        const int w = s.px(kSwatchWidth + kSwatchGap + rowTextWidth(sourceLegendText(l)));
        if (x > left && x + w > right) {
            x = left;
            ++line;
        }
        placed.push_back({x, line, w});
        x += w + s.px(kEntryGap);
    }
    return placed;
}

}  // namespace

base::Colour sourceLineColour(std::size_t index) {
    return kSourceLines[index % std::size(kSourceLines)];
}

std::vector<SourceLine> sourceLines(const SourceHistory& history, std::int64_t first,
                                    std::int64_t spanSeconds, int width) {
    std::vector<SourceLine> lines;
    if (width <= 0 || spanSeconds <= 0) return lines;
    const std::vector<SourceSeries>& series = history.series();
    for (std::size_t i = 0; i < series.size(); ++i) {
        const monitor::SourceReading& r = series[i].latest;
        if (!r.shown) continue;
        SourceLine line{i, &series[i], columnMeans(series[i], first, spanSeconds, width)};
        bool any = false;
        for (float v : line.columns) {
            if (std::isnan(v)) continue;
            line.lowest = any ? std::min<double>(line.lowest, v) : v;
            line.highest = any ? std::max<double>(line.highest, v) : v;
            any = true;
        }
        if (!any) continue;
        if (isPercent(r)) {
            line.scale = SourceLine::Scale::Percent;
        } else if (r.barMin && r.barMax && *r.barMin != *r.barMax) {
            line.scale = SourceLine::Scale::BarRange;
            line.low = std::min(*r.barMin, *r.barMax);
            line.high = std::max(*r.barMin, *r.barMax);
        } else {
            line.scale = SourceLine::Scale::SpanRange;
            line.low = line.lowest;
            line.high = line.highest;
            // A steady value runs through the middle.
            if (line.high - line.low < 1e-9) {
                line.low -= 1;
                line.high += 1;
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void drawSourceLines(base::Image& image, base::DpiScale s, const PlotBox& plot,
                     const std::vector<SourceLine>& lines) {
    const int thickness = std::max(1, s.px(1));
    const int height = plot.bottom - plot.top - thickness;
    if (height <= 0) return;
    for (const SourceLine& line : lines) {
        const base::Colour colour = sourceLineColour(line.index);
        auto yOf = [&](float v) {
            const double share = std::clamp((v - line.low) / (line.high - line.low), 0.0, 1.0);
            return plot.bottom - thickness - static_cast<int>(std::lround(share * height));
        };
        const int width = std::min(static_cast<int>(line.columns.size()), plot.right - plot.left);
        for (int c = 0; c < width; ++c) {
            const float v = line.columns[static_cast<size_t>(c)];
            if (std::isnan(v)) continue;  // a gap stays a gap
            const int x = plot.left + c, y = yOf(v);
            const bool joined = c > 0 && !std::isnan(line.columns[static_cast<size_t>(c - 1)]);
            const int from = joined ? yOf(line.columns[static_cast<size_t>(c - 1)]) : y;
            for (int t = 0; t < thickness; ++t) {
                render::drawLine(image, x - (joined ? 1 : 0), from + t, x, y + t, colour);
                render::drawLine(image, x, y + t, x + 1, y + t, colour);
            }
        }
    }
}

std::wstring sourceLegendText(const SourceLine& line) {
    const monitor::SourceReading& r = line.series->latest;
    switch (line.scale) {
        case SourceLine::Scale::Percent:
            return base::format(base::Text::SourceLegendPercent, {r.name, r.text});
        case SourceLine::Scale::BarRange:
            return base::format(
                base::Text::SourceLegendRange,
                {r.name, r.text, scaleNumber(line.low), scaleNumber(line.high), r.unit});
        case SourceLine::Scale::SpanRange:
            break;
    }
    return base::format(base::Text::SourceLegendSpan, {r.name, r.text, scaleNumber(line.lowest),
                                                       scaleNumber(line.highest), r.unit});
}

int sourceLegendHeight(base::DpiScale s, int width, const std::vector<SourceLine>& lines) {
    if (lines.empty()) return 0;
    return (placeLegend(s, width, lines).back().line + 1) * s.px(kLineHeight);
}

void drawSourceLegend(base::Image& image, base::DpiScale s, const PlotBox& box,
                      const std::vector<SourceLine>& lines, std::vector<PlacedText>& texts) {
    const std::vector<Placed> placed = placeLegend(s, box.right - box.left, lines);
    const int swatch = std::max(2, s.px(3));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int x = box.left + placed[i].x, y = box.top + placed[i].line * s.px(kLineHeight);
        if (y + s.px(kLineHeight) > box.bottom) break;
        const int middle = y + s.px(7) - swatch / 2;
        render::fillBox(image, x, middle, x + s.px(kSwatchWidth) - 1, middle + swatch - 1,
                        sourceLineColour(lines[i].index));
        texts.push_back({x + s.px(kSwatchWidth + kSwatchGap), y, sourceLegendText(lines[i])});
    }
}

}  // namespace features
