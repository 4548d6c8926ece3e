#include "features/history_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cwchar>

#include "base/texts.h"
#include "features/history_view.h"
#include "features/source_chart.h"
#include "features/traffic_bars.h"
#include "monitor/row_format.h"
#include "monitor/status_items.h"
#include "render/draw.h"

namespace features {
namespace {

using base::Text;

// Designed at 96 DPI.
constexpr int kBarHeight = 24, kAxisWidth = 92, kLineHeight = 15, kTextTop = 6;
constexpr int kButtonLeft = 6, kButtonStep = 60, kButtonWidth = 56;

constexpr base::Colour kBack = base::rgb(255, 255, 255), kGrid = base::rgb(208, 208, 208),
                       kInk = base::rgb(0, 0, 0), kButton = base::rgb(236, 236, 236),
                       kChosenButton = base::rgb(200, 220, 255);
// Apart from every line's colour: a notice must show over a line held at its top.
constexpr base::Colour kMark = base::rgb(230, 0, 110);
constexpr int kMarkHalfWidth = 4, kMarkHeight = 5;
constexpr base::Colour kLines[] = {base::rgb(0, 96, 192), base::rgb(0, 144, 64),
                                   base::rgb(192, 64, 0), base::rgb(128, 0, 160)};
constexpr Text kTitles[] = {Text::ChartCpu, Text::ChartMemory, Text::ChartReceived,
                            Text::ChartSent};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom not included
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

float fieldOf(const HistorySample& s, int field) {
    const float values[] = {s.cpuPercent, s.memoryPercent, s.receivedPerSecond, s.sentPerSecond};
    return values[field];
}

bool isRate(int field) { return field >= 2; }

std::wstring clock(int secondOfDay) {
    wchar_t buffer[16];
    secondOfDay = ((secondOfDay % 86400) + 86400) % 86400;
    swprintf(buffer, 16, L"%02d:%02d:%02d", secondOfDay / 3600, secondOfDay / 60 % 60,
             secondOfDay % 60);
    return buffer;
}

int secondOfDay(const platform::LocalTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

std::wstring bothWays(const ByteTotals& b) {
    return base::format(Text::HistoryBothWays, {amountText(b.received), amountText(b.sent)});
}

// Designed at 96 DPI: the buttons with a margin, a bar's tip beside a bar, four charts of a
// few lines each over the totals.
constexpr int kLeastWidth = 420, kLeastHeight = 300;

Box spanButton(base::DpiScale s, int i) {
    const int left = s.px(kButtonLeft + kButtonStep * i);
    return {left, s.px(3), left + s.px(kButtonWidth), s.px(kBarHeight - 3)};
}

// A frame one pixel wide just inside the box.
void frame(base::Image& image, const Box& box, base::Colour colour) {
    render::fillBox(image, box.left, box.top, box.right - 1, box.top, colour);
    render::fillBox(image, box.left, box.bottom - 1, box.right - 1, box.bottom - 1, colour);
    render::fillBox(image, box.left, box.top, box.left, box.bottom - 1, colour);
    render::fillBox(image, box.right - 1, box.top, box.right - 1, box.bottom - 1, colour);
}

// A line `thickness` pixels thick, drawn downwards from the thin line's pixels.
void thickLine(base::Image& image, int x0, int y0, int x1, int y1, int thickness,
               base::Colour colour) {
    for (int t = 0; t < thickness; ++t) render::drawLine(image, x0, y0 + t, x1, y1 + t, colour);
}

class Picture {
public:
    Picture(base::Image& image, base::DpiScale scale, const ReadingsHistory& history,
            const HistoryScene& scene, const TrafficSummary& traffic)
        : image_(image), s_(scale), history_(history), scene_(scene), traffic_(traffic) {}

    std::vector<PlacedText> draw() {
        image_.fill(kBack);
        drawSpanButtons();
        // The totals take their lines at the bottom; the charts or the bars share what is left.
        const int totalsLines = 1 + static_cast<int>(notices().size());
        const int totalsHeight = totalsLines * s_.px(kLineHeight) + s_.px(8);
        const int chartsTop = s_.px(kBarHeight);
        if (isTrafficSpan(scene_.span)) {
            const int bottom = std::max(image_.height() - totalsHeight, chartsTop);
            drawTrafficBars(
                image_, s_, {0, chartsTop, image_.width(), bottom}, traffic_,
                {scene_.span == kMonthsSpan, scene_.pointerX, scene_.pointerY, scene_.chosenBar},
                texts_);
            drawTotals({0, bottom, image_.width(), image_.height()});
            return std::move(texts_);
        }
        // Above the totals, a line for the time axis and the sources' legend.
        const std::vector<SourceLine> sources = sourceLinesOf(chartsTop);
        const int legendHeight = sourceLegendHeight(s_, image_.width(), sources);
        const int chartsBottom =
            std::max(image_.height() - totalsHeight - s_.px(kLineHeight) - legendHeight, chartsTop);
        const Box charts{0, chartsTop, image_.width(), chartsBottom};
        const int each = charts.height() / (sources.empty() ? 4 : 5);
        // The charts share their width: the ring is read once for all four.
        const std::array<std::vector<float>, 4> columns =
            columnMeans(std::max(plotOf(charts).width() - 2, 0));
        for (int f = 0; f < 4; ++f)
            drawChart(
                {charts.left, charts.top + f * each, charts.right, charts.top + (f + 1) * each}, f,
                columns[f]);
        if (!sources.empty())
            drawSourceChart(
                {charts.left, charts.top + 4 * each, charts.right, charts.top + 5 * each}, sources);
        drawTimeAxis(charts);
        drawReadout(charts);
        const int legendTop = chartsBottom + s_.px(kLineHeight);
        drawSourceLegend(image_, s_, {0, legendTop, image_.width(), legendTop + legendHeight},
                         sources, texts_);
        drawTotals({0, legendTop + legendHeight, image_.width(), image_.height()});
        return std::move(texts_);
    }

private:
    void text(int x, int y, std::wstring s) { texts_.push_back({x, y, std::move(s)}); }
    int widthOf(std::wstring_view s) const { return s_.px(rowTextWidth(s)); }

    Box plotOf(const Box& box) const {
        return {box.left + s_.px(kAxisWidth), box.top + s_.px(4), box.right - s_.px(6),
                box.bottom - s_.px(4)};
    }

    void drawSpanButtons() {
        for (int i = 0; i < kSpanCount; ++i) {
            const Box b = spanButton(s_, i);
            render::fillBox(image_, b.left, b.top, b.right - 1, b.bottom - 1,
                            i == scene_.span ? kChosenButton : kButton);
            const wchar_t* label = base::text(kSpanLabels[i]);
            text(b.left + (b.width() - widthOf(label)) / 2, s_.px(kTextTop), label);
        }
    }

    // One value per pixel column and reading: the mean of the seconds the column covers, rates
    // in the list's unit; NaN for a column without a sample.
    std::array<std::vector<float>, 4> columnMeans(int width) const {
        std::array<std::vector<float>, 4> columns;
        for (std::vector<float>& field : columns) field.assign(static_cast<size_t>(width), NAN);
        const HistoryRing& ring = history_.ring();
        if (ring.empty()) return columns;
        const std::int64_t spanSeconds = kHistorySpans[scene_.span].seconds;
        const std::int64_t first = ring.newestSecond() - spanSeconds + 1;
        for (int c = 0; c < width; ++c) {
            std::int64_t from = first + spanSeconds * c / width;
            std::int64_t to = std::max(from + 1, first + spanSeconds * (c + 1) / width);
            double sum[4]{};
            int n[4]{};
            for (std::int64_t sec = from; sec < to; ++sec) {
                auto sample = ring.at(sec);
                if (!sample) continue;
                for (int f = 0; f < 4; ++f) {
                    float v = fieldOf(*sample, f);
                    if (std::isnan(v)) continue;
                    sum[f] += isRate(f) ? inListUnit(v, scene_.rateUnit) : v;
                    ++n[f];
                }
            }
            for (int f = 0; f < 4; ++f)
                if (n[f] > 0) columns[f][c] = static_cast<float>(sum[f] / n[f]);
        }
        return columns;
    }

    void drawChart(const Box& box, int field, const std::vector<float>& columns) {
        const Box outer = plotOf(box);
        if (outer.width() <= 2 || outer.height() <= 2) return;
        frame(image_, outer, kGrid);
        // The line runs inside the frame, never over it.
        const Box plot{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
        const bool rate = isRate(field);
        const int width = plot.width();
        float peak = 0;
        for (float v : columns)
            if (!std::isnan(v)) peak = std::max(peak, v);
        const double top = rate ? rateAxisTop(peak) : 100.0;

        const int thickness = std::max(1, s_.px(1));
        const int span = plot.height() - thickness;
        auto yOf = [&](float v) {
            return plot.bottom - thickness -
                   static_cast<int>(std::lround(std::min(v / top, 1.0) * span));
        };
        for (int c = 0; c < width; ++c) {
            if (std::isnan(columns[c])) continue;  // a gap stays a gap
            const int x = plot.left + c, y = yOf(columns[c]);
            const bool joined = c > 0 && !std::isnan(columns[c - 1]);
            const int from = joined ? yOf(columns[c - 1]) : y;
            // To the previous column's height and on, one pixel past, to this one's.
            thickLine(image_, x - (joined ? 1 : 0), from, x, y, thickness, kLines[field]);
            thickLine(image_, x, y, x + 1, y, thickness, kLines[field]);
        }
        drawMarks(plot, field);

        std::wstring topText =
            rate ? monitor::rateText(static_cast<std::int64_t>(top), scene_.rateUnit) : L"100%";
        text(box.left + s_.px(4), outer.top, base::text(kTitles[field]));
        text(box.left + s_.px(4), outer.top + s_.px(kLineHeight), topText);
        text(box.left + s_.px(4), outer.bottom - s_.px(kLineHeight), L"0");
    }

    // The shown sources with values in the span, a column of the plots' width each.
    std::vector<SourceLine> sourceLinesOf(int chartsTop) const {
        const HistoryRing& ring = history_.ring();
        if (ring.empty()) return {};
        const std::int64_t spanSeconds = kHistorySpans[scene_.span].seconds;
        const int width = plotOf({0, chartsTop, image_.width(), chartsTop}).width() - 2;
        return sourceLines(history_.sources(), ring.newestSecond() - spanSeconds + 1, spanSeconds,
                           width);
    }

    // Under the four, the sources' lines, each on its own scale: the legend tells which.
    void drawSourceChart(const Box& box, const std::vector<SourceLine>& lines) {
        const Box outer = plotOf(box);
        if (outer.width() <= 2 || outer.height() <= 2) return;
        frame(image_, outer, kGrid);
        drawSourceLines(image_, s_,
                        {outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1}, lines);
        text(box.left + s_.px(4), outer.top, base::text(Text::ChartSources));
        const bool allPercent = std::all_of(lines.begin(), lines.end(), [](const SourceLine& l) {
            return l.scale == SourceLine::Scale::Percent;
        });
        if (allPercent) {
            text(box.left + s_.px(4), outer.top + s_.px(kLineHeight), L"100%");
            text(box.left + s_.px(4), outer.bottom - s_.px(kLineHeight), L"0");
        } else {
            text(box.left + s_.px(4), outer.top + s_.px(kLineHeight),
                 base::text(Text::ChartSourcesScale));
        }
    }

    // A small triangle pointing down from the plot's top at each notice of this chart's
    // reading, over the line if it runs there.
    void drawMarks(const Box& plot, int field) {
        const HistoryRing& ring = history_.ring();
        if (ring.empty() || plot.width() <= 0) return;
        const std::int64_t spanSeconds = kHistorySpans[scene_.span].seconds;
        const std::int64_t first = ring.newestSecond() - spanSeconds + 1;
        const int half = s_.px(kMarkHalfWidth), height = s_.px(kMarkHeight);
        for (const ChartMark& mark : scene_.marks) {
            if (mark.chart != field || mark.second < first || mark.second > ring.newestSecond())
                continue;
            int x =
                plot.left + static_cast<int>((mark.second - first) * plot.width() / spanSeconds);
            x = std::clamp(x, plot.left + half, std::max(plot.left + half, plot.right - 1 - half));
            for (int row = 0; row < height; ++row) {
                const int reach = half - row * half / height;
                render::fillBox(image_, x - reach, plot.top + row, x + reach, plot.top + row,
                                kMark);
            }
        }
    }

    // The clock times at both ends of the span under the charts, and the middle one.
    void drawTimeAxis(const Box& charts) {
        const Box plot = plotOf(charts);
        if (plot.width() <= 0) return;
        const int now = secondOfDay(history_.newestTime());
        const int spanSeconds = static_cast<int>(kHistorySpans[scene_.span].seconds);
        const int width = widthOf(clock(0));
        text(plot.left, charts.bottom, clock(now - spanSeconds + 1));
        text((plot.left + plot.right - width) / 2, charts.bottom, clock(now - spanSeconds / 2));
        text(plot.right - width, charts.bottom, clock(now));
    }

    // A dotted line at the pointer, and the time and the four values under it in the bar.
    void drawReadout(const Box& charts) {
        const Box outer = plotOf(charts);
        const int left = outer.left + 1, right = outer.right - 1;
        const HistoryRing& ring = history_.ring();
        const int x = scene_.pointerX;
        if (x < left || x >= right || ring.empty()) return;
        for (int y = charts.top; y < charts.bottom; y += 2) image_.setPixel(x, y, kInk);

        const std::int64_t spanSeconds = kHistorySpans[scene_.span].seconds;
        const std::int64_t back =
            spanSeconds - 1 - spanSeconds * (x - left) / std::max(1, right - left);
        std::wstring line = clock(secondOfDay(history_.newestTime()) - static_cast<int>(back));
        if (auto sample = ring.at(ring.newestSecond() - back)) {
            auto part = [&](float v, bool rate) -> std::wstring {
                if (std::isnan(v)) return L"-";
                if (!rate) return std::to_wstring(std::lround(v)) + L"%";
                return monitor::rateText(std::llround(inListUnit(v, scene_.rateUnit)),
                                         scene_.rateUnit);
            };
            for (int f = 0; f < 4; ++f)
                line += std::wstring(L"  ") + base::text(kTitles[f]) + L" " +
                        part(fieldOf(*sample, f), isRate(f));
        }
        text(s_.px(kButtonLeft + kButtonStep * kSpanCount), s_.px(kTextTop), line);
    }

    // What the user must know of the file under the figures: that what is counted now will not
    // survive an exit, and lines that are kept but not drawn.
    std::vector<std::wstring> notices() const {
        std::vector<std::wstring> lines;
        if (!history_.fileWritable())
            lines.push_back(base::format(Text::HistoryNotSaved, {kTrafficFileName}));
        if (traffic_.futureDays > 0)
            lines.push_back(base::format(
                traffic_.futureDays == 1 ? Text::TrafficFutureDay : Text::TrafficFutureDays,
                {std::to_wstring(traffic_.futureDays)}));
        if (traffic_.junkLines > 0)
            lines.push_back(base::format(
                traffic_.junkLines == 1 ? Text::TrafficJunkLine : Text::TrafficJunkLines,
                {std::to_wstring(traffic_.junkLines)}));
        return lines;
    }

    // This month's and last month's sums, and the notices.
    void drawTotals(const Box& box) {
        const int left = box.left + s_.px(6), top = box.top + s_.px(4);
        const int line = s_.px(kLineHeight);
        text(left, top,
             base::format(Text::HistoryMonths,
                          {bothWays(traffic_.thisMonth), bothWays(traffic_.lastMonth)}));
        int y = top + line;
        for (std::wstring& notice : notices()) {
            text(left, y, std::move(notice));
            y += line;
        }
    }

    base::Image& image_;
    const base::DpiScale s_;
    const ReadingsHistory& history_;
    const HistoryScene& scene_;
    const TrafficSummary& traffic_;
    std::vector<PlacedText> texts_;
};

}  // namespace

std::vector<PlacedText> drawHistory(base::Image& image, base::DpiScale scale,
                                    const ReadingsHistory& history, const HistoryScene& scene) {
    if (scene.traffic) return Picture(image, scale, history, scene, *scene.traffic).draw();
    const TrafficSummary traffic = summarizeTraffic(history.days(), history.today());
    return Picture(image, scale, history, scene, traffic).draw();
}

PictureSize historyMinimumClient(base::DpiScale scale) {
    return {scale.px(kLeastWidth), scale.px(kLeastHeight)};
}

std::optional<int> spanButtonAt(base::DpiScale scale, int x, int y) {
    for (int i = 0; i < kSpanCount; ++i) {
        const Box b = spanButton(scale, i);
        if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) return i;
    }
    return std::nullopt;
}

int rowTextWidth(std::wstring_view text) {
    int width = 0;
    for (wchar_t c : text) width += 6 * monitor::memoColumnsOf(c);
    return width;
}

}  // namespace features
