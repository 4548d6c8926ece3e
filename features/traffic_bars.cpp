#include "features/traffic_bars.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>

#include "base/texts.h"
#include "features/history_chart.h"
#include "features/history_view.h"
#include "render/draw.h"

namespace features {
namespace {

using base::Text;

// Designed at 96 DPI.
constexpr int kLineHeight = 15, kKeySquare = 9, kAxisGap = 6, kRightMargin = 6;
constexpr int kTipPadX = 6, kTipPadY = 3, kTipOffset = 10;

// The receive and send charts' colours, so a reading has one colour in every span.
constexpr base::Colour kGrid = base::rgb(208, 208, 208), kBaseline = base::rgb(128, 128, 128),
                       kReceived = base::rgb(192, 64, 0), kSent = base::rgb(128, 0, 160),
                       kNowBand = base::rgb(255, 238, 180), kPointedBand = base::rgb(222, 234, 252),
                       kTipBack = base::rgb(255, 255, 225), kTipFrame = base::rgb(118, 118, 118),
                       kMonthLine = base::rgb(176, 176, 176);
constexpr const wchar_t* kUnits[] = {L"KB", L"MB", L"GB", L"TB"};

double unitBytes(int unit) { return std::ldexp(1.0, 10 * (unit + 1)); }

struct Layout {
    int plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;  // right, bottom excluded
    int count = 0;
    int slotLeft(int i) const { return plotLeft + (plotRight - plotLeft) * i / count; }
    // The bar whose slot holds x, if any.
    int slotAt(int x) const {
        if (x < plotLeft || x >= plotRight) return -1;
        for (int i = 0; i < count; ++i)
            if (x < slotLeft(i + 1)) return i;
        return -1;
    }
};

void box(base::Image& image, int left, int top, int right, int bottom, base::Colour colour) {
    if (right > left && bottom > top)
        render::fillBox(image, left, top, right - 1, bottom - 1, colour);
}

void frame(base::Image& image, int left, int top, int right, int bottom, base::Colour colour) {
    box(image, left, top, right, top + 1, colour);
    box(image, left, bottom - 1, right, bottom, colour);
    box(image, left, top, left + 1, bottom, colour);
    box(image, right - 1, top, right, bottom, colour);
}

std::wstring dateText(Day day, bool months) {
    const CivilDate d = dateOf(day);
    wchar_t text[24];
    if (months)
        swprintf(text, 24, L"%04d/%02d", d.year, d.month);
    else
        swprintf(text, 24, L"%04d/%02d/%02d", d.year, d.month, d.day);
    return text;
}

class Bars {
public:
    Bars(base::Image& image, base::DpiScale scale, const BarsArea& area,
         const TrafficSummary& summary, const BarsScene& scene, std::vector<PlacedText>& texts)
        : image_(image), s_(scale), area_(area), summary_(summary), scene_(scene), texts_(texts) {}

    void draw() {
        const int n = barCount(scene_.months);
        std::int64_t highest = 0;
        for (int i = 0; i < n; ++i) {
            const ByteTotals& b = bar(i).bytes;
            highest = std::max({highest, b.received, b.sent});
        }
        const BarScale scale = barScaleFor(highest);
        const int steps = static_cast<int>(std::lround(scale.top / scale.step));
        int axisWidth = 0;
        for (int k = 0; k <= steps; ++k)
            axisWidth = std::max(axisWidth, widthOf(scaleText(scale.step * k, scale.unit)));

        const int line = s_.px(kLineHeight);
        const int labelLines = scene_.months ? 2 : 1;
        Layout l;
        l.count = n;
        l.plotLeft = area_.left + s_.px(kAxisGap) + axisWidth + s_.px(kAxisGap);
        l.plotRight = area_.right - s_.px(kRightMargin);
        l.plotTop = area_.top + line + s_.px(6);
        l.plotBottom = area_.bottom - labelLines * line - s_.px(2);
        if (l.plotRight - l.plotLeft < n || l.plotBottom - l.plotTop < line) return;

        drawKey(l);
        const int pointed = pointedBar(l, labelLines);
        drawBands(l, pointed);
        drawScale(l, scale, steps);
        drawBars(l, scale);
        drawLabels(l);
        if (pointed >= 0) drawTip(l, pointed);
    }

private:
    const TrafficSummary::Bar& bar(int i) const {
        return scene_.months ? summary_.months[i] : summary_.days[i];
    }
    int widthOf(std::wstring_view text) const { return s_.px(rowTextWidth(text)); }
    void text(int x, int y, std::wstring s) { texts_.push_back({x, y, std::move(s)}); }

    // The colours named, and how to walk the bars, when it fits.
    void drawKey(const Layout& l) {
        const int square = s_.px(kKeySquare), y = area_.top + s_.px(3);
        int x = l.plotLeft;
        const std::pair<Text, base::Colour> keys[] = {{Text::ChartReceived, kReceived},
                                                      {Text::ChartSent, kSent}};
        for (const auto& [label, colour] : keys) {
            box(image_, x, y + s_.px(2), x + square, y + s_.px(2) + square, colour);
            x += square + s_.px(4);
            text(x, y, base::text(label));
            x += widthOf(base::text(label)) + s_.px(16);
        }
        const std::wstring hint = base::text(Text::TrafficKeyHint);
        if (x + widthOf(hint) <= l.plotRight) text(l.plotRight - widthOf(hint), y, hint);
    }

    int pointedBar(const Layout& l, int labelLines) const {
        if (scene_.chosenBar >= 0) return std::min(scene_.chosenBar, l.count - 1);
        const int labelsBottom = l.plotBottom + labelLines * s_.px(kLineHeight);
        if (scene_.pointerY < l.plotTop || scene_.pointerY >= labelsBottom) return -1;
        return l.slotAt(scene_.pointerX);
    }

    void drawBands(const Layout& l, int pointed) {
        const int now = l.count - 1;
        box(image_, l.slotLeft(now), l.plotTop, l.slotLeft(now + 1), l.plotBottom, kNowBand);
        if (pointed >= 0 && pointed != now)
            box(image_, l.slotLeft(pointed), l.plotTop, l.slotLeft(pointed + 1), l.plotBottom,
                kPointedBand);
        // Where a month begins among the days, so the month's bars read as one run.
        if (!scene_.months)
            for (int i = 1; i < l.count; ++i)
                if (dateOf(bar(i).first).day == 1)
                    for (int y = l.plotTop; y < l.plotBottom; y += 2)
                        image_.setPixel(l.slotLeft(i), y, kMonthLine);
    }

    int yOf(const Layout& l, double bytes, double top) const {
        const int height = l.plotBottom - 1 - l.plotTop;
        int h = static_cast<int>(std::lround(std::min(bytes / top, 1.0) * height));
        if (bytes > 0 && h == 0) h = 1;  // a little traffic is not none
        return l.plotBottom - 1 - h;
    }

    void drawScale(const Layout& l, const BarScale& scale, int steps) {
        const int line = s_.px(kLineHeight);
        for (int k = 0; k <= steps; ++k) {
            const double value = scale.step * k;
            const int y = yOf(l, value, scale.top);
            box(image_, l.plotLeft, y, l.plotRight, y + 1, k == 0 ? kBaseline : kGrid);
            const std::wstring label = scaleText(value, scale.unit);
            const int ty = std::clamp(y - line / 2, area_.top, l.plotBottom - line / 2);
            text(l.plotLeft - s_.px(kAxisGap) - widthOf(label), ty, label);
        }
    }

    void drawBars(const Layout& l, const BarScale& scale) {
        const int baseline = l.plotBottom - 1;
        for (int i = 0; i < l.count; ++i) {
            const int left = l.slotLeft(i), width = l.slotLeft(i + 1) - left;
            const int gap = std::max(1, width / 4);
            const int each = std::max(1, (width - gap) / 2);
            const int x = left + (width - 2 * each) / 2;
            const ByteTotals& b = bar(i).bytes;
            if (b.received > 0)
                box(image_, x, yOf(l, static_cast<double>(b.received), scale.top), x + each,
                    baseline, kReceived);
            if (b.sent > 0)
                box(image_, x + each, yOf(l, static_cast<double>(b.sent), scale.top), x + 2 * each,
                    baseline, kSent);
        }
    }

    // The day of the month under every day, or every few when they do not fit, always today's;
    // the month's number under each month, and the year under January and the first.
    void drawLabels(const Layout& l) {
        const int y = l.plotBottom + s_.px(2), line = s_.px(kLineHeight);
        const int slot = (l.plotRight - l.plotLeft) / l.count;
        int every = 1;
        for (int candidate : {1, 2, 3, 5, 7, 10, 31}) {
            every = candidate;
            if (candidate * slot >= widthOf(L"30") + s_.px(4)) break;
        }
        for (int i = 0; i < l.count; ++i) {
            if ((l.count - 1 - i) % every != 0) continue;
            const CivilDate d = dateOf(bar(i).first);
            const int middle = (l.slotLeft(i) + l.slotLeft(i + 1)) / 2;
            const std::wstring number = std::to_wstring(scene_.months ? d.month : d.day);
            text(middle - widthOf(number) / 2, y, number);
            if (scene_.months && (d.month == 1 || i == 0)) {
                const std::wstring year = std::to_wstring(d.year);
                text(std::max(area_.left, middle - widthOf(year) / 2), y + line, year);
            }
        }
        // Today (this month) underlined beneath its number.
        const int now = l.count - 1;
        box(image_, l.slotLeft(now) + 1, y + line - s_.px(2), l.slotLeft(now + 1) - 1,
            y + line - s_.px(2) + std::max(1, s_.px(1)), kBaseline);
    }

    // The bar's date and both exact figures in a box beside it, over whatever lies there.
    void drawTip(const Layout& l, int i) {
        const std::vector<std::wstring> lines = barTipLines(summary_, scene_.months, i);
        int width = 0;
        for (const std::wstring& t : lines) width = std::max(width, widthOf(t));
        const int line = s_.px(kLineHeight);
        width += 2 * s_.px(kTipPadX);
        const int height = static_cast<int>(lines.size()) * line + 2 * s_.px(kTipPadY);
        int left = l.slotLeft(i + 1) + s_.px(kTipOffset);
        if (left + width > area_.right - 1) left = l.slotLeft(i) - s_.px(kTipOffset) - width;
        left = std::max(left, area_.left);
        const int top =
            std::clamp(l.plotTop + s_.px(4), area_.top, std::max(area_.top, area_.bottom - height));
        const int right = left + width, bottom = top + height;
        // Texts printed where the tip lies would show through it.
        std::erase_if(texts_, [&](const PlacedText& t) {
            return t.x < right && t.x + widthOf(t.text) > left && t.y < bottom && t.y + line > top;
        });
        box(image_, left, top, right, bottom, kTipBack);
        frame(image_, left, top, right, bottom, kTipFrame);
        for (int k = 0; k < static_cast<int>(lines.size()); ++k)
            text(left + s_.px(kTipPadX), top + s_.px(kTipPadY) + k * line, lines[k]);
    }

    base::Image& image_;
    const base::DpiScale s_;
    const BarsArea area_;
    const TrafficSummary& summary_;
    const BarsScene& scene_;
    std::vector<PlacedText>& texts_;
};

}  // namespace

int barCount(bool months) { return months ? TrafficSummary::kMonths : TrafficSummary::kDays; }

std::vector<std::wstring> barTipLines(const TrafficSummary& summary, bool months, int i) {
    const TrafficSummary::Bar& b = months ? summary.months[i] : summary.days[i];
    const bool now = i == barCount(months) - 1;
    std::wstring date = dateText(b.first, months);
    if (now && months)
        date = base::format(Text::TrafficTipThisMonth,
                            {date, std::to_wstring(dateOf(summary.today).day)});
    else if (now)
        date = base::format(Text::TrafficTipToday, {date});
    // Both ways together too: a monthly cap counts them so.
    const std::int64_t both =
        b.bytes.received > INT64_MAX - b.bytes.sent ? INT64_MAX : b.bytes.received + b.bytes.sent;
    std::vector<std::wstring> lines = {
        date,
        base::format(Text::TrafficTipLine,
                     {base::text(Text::ChartReceived), amountText(b.bytes.received),
                      groupedBytes(b.bytes.received)}),
        base::format(Text::TrafficTipLine, {base::text(Text::ChartSent), amountText(b.bytes.sent),
                                            groupedBytes(b.bytes.sent)}),
        base::format(Text::TrafficTipLine,
                     {base::text(Text::TrafficTotal), amountText(both), groupedBytes(both)})};
    // Where this month is heading at the pace of its days so far, for a monthly cap.
    if (now && months) {
        const Day first = firstOfMonth(summary.today, 0);
        const double days = static_cast<double>(firstOfMonth(summary.today, -1) - first);
        const double soFar = static_cast<double>(summary.today - first + 1);
        const double pace = static_cast<double>(both) * days / soFar;
        lines.push_back(base::format(
            Text::TrafficMonthPace,
            {amountText(pace >= 9.2e18 ? INT64_MAX : static_cast<std::int64_t>(pace))}));
    }
    return lines;
}

BarScale barScaleFor(std::int64_t highest) {
    if (highest <= 0) return {unitBytes(1), unitBytes(1), 1};
    int unit = 0;
    while (unit < 3 && static_cast<double>(highest) >= unitBytes(unit + 1)) ++unit;
    BarScale scale = barScaleIn(highest, unit);
    // A top of a thousand or more of a unit (a day just under 1 GiB) reads better in the next.
    if (unit < 3 && scale.top >= 1000 * unitBytes(unit)) scale = barScaleIn(highest, unit + 1);
    return scale;
}

BarScale barScaleIn(std::int64_t highest, int unit) {
    BarScale scale;
    scale.unit = unit;
    const double value = static_cast<double>(highest) / unitBytes(scale.unit);
    const double rough = value / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough * (1 - 1e-9)) {
            step = m * power;
            break;
        }
    const double top = std::max(step, std::ceil(value / step - 1e-9) * step);
    return {top * unitBytes(scale.unit), step * unitBytes(scale.unit), scale.unit};
}

std::wstring scaleText(double bytes, int unit) {
    if (bytes <= 0) return L"0";
    const double value = bytes / unitBytes(unit);
    wchar_t text[40];
    if (std::fabs(value - std::round(value)) < 1e-6)
        swprintf(text, 40, L"%.0f%ls", value, kUnits[unit]);
    else if (std::fabs(value * 10 - std::round(value * 10)) < 1e-6)
        swprintf(text, 40, L"%.1f%ls", value, kUnits[unit]);
    else
        swprintf(text, 40, L"%.2f%ls", value, kUnits[unit]);
    return text;
}

std::wstring groupedBytes(std::int64_t bytes) {
    std::wstring digits = std::to_wstring(bytes < 0 ? 0 : bytes), grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += L',';
        grouped += digits[i];
    }
    return grouped;
}

void drawTrafficBars(base::Image& image, base::DpiScale scale, const BarsArea& area,
                     const TrafficSummary& summary, const BarsScene& scene,
                     std::vector<PlacedText>& texts) {
    Bars(image, scale, area, summary, scene, texts).draw();
}

}  // namespace features
