#include "ui/tray_load.h"

#include <algorithm>

#include "base/texts.h"
#include "monitor/row_format.h"
#include "render/draw.h"
#include "settings/settings.h"

namespace ui {
namespace {

// The pixels of the mean of `count` percentages summing to `sum`. Any load at all shows as one
// pixel at least: an idle-looking bar under 4 % would mislead.
int filled(int sum, int count, int inner) {
    if (count <= 0) return 0;
    int pixels = (sum * inner + 50 * count) / (100 * count);
    return sum > 0 ? std::max(pixels, 1) : pixels;
}

// A third of the way from the background to the bar's colour: the empty slot of a bar, so the
// icon reads as a load meter at 0 % too.
base::Colour trackOf(base::Colour bar, base::Colour background) {
    auto channel = [&](int shift) {
        int b = static_cast<int>((bar >> shift) & 0xFF),
            g = static_cast<int>((background >> shift) & 0xFF);
        return static_cast<base::Colour>(g + (b - g) / 3) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

// What a tooltip holds, and the longest name of an executable it shows whole.
constexpr std::size_t kTipLength = 127, kTipNameLength = 24;

// `text` in at most `length` characters, the last of them "…" when it was cut.
std::wstring cutWithEllipsis(const std::wstring& text, std::size_t length) {
    if (text.size() <= length || length == 0) return text.substr(0, length);
    return text.substr(0, length - 1) + L"\u2026";
}

}  // namespace

LoadBars loadBarsFor(int cpuPercent, int memoryPercent, int side) {
    LoadMean one;
    one.add(cpuPercent, memoryPercent);
    return *one.take(side);
}

void LoadMean::add(int cpuPercent, int memoryPercent) {
    cpuSum_ += std::clamp(cpuPercent, 0, 100);
    memorySum_ += std::clamp(memoryPercent, 0, 100);
    ++count_;
}

std::optional<LoadBars> LoadMean::take(int side) {
    if (count_ == 0) return std::nullopt;
    int inner = std::max(side - 2, 0);
    LoadBars bars{filled(cpuSum_, count_, inner), filled(memorySum_, count_, inner)};
    *this = {};
    return bars;
}

base::Image loadIconPicture(const LoadBars& bars, int side, const LoadIconColours& colours) {
    base::Image picture(side, side, colours.background);
    if (side < 4) return picture;
    render::fillBox(picture, 0, 0, side - 1, 0, colours.frame);
    render::fillBox(picture, 0, side - 1, side - 1, side - 1, colours.frame);
    render::fillBox(picture, 0, 0, 0, side - 1, colours.frame);
    render::fillBox(picture, side - 1, 0, side - 1, side - 1, colours.frame);
    // Two bars with a one-pixel gap between them.
    int inner = side - 2, half = (inner - 1) / 2;
    int bottom = side - 2;
    auto bar = [&](int left, int right, int height, base::Colour colour) {
        render::fillBox(picture, left, 1, right, bottom, trackOf(colour, colours.background));
        height = std::min(height, inner);  // bars taken at another scale fit until the next
        if (height > 0) render::fillBox(picture, left, bottom - height + 1, right, bottom, colour);
    };
    bar(1, half, bars.cpu, colours.cpu);
    bar(side - 1 - half, side - 2, bars.memory, colours.memory);
    return picture;
}

std::wstring loadTipText(const monitor::Readings& r, int rateUnit,
                         const std::optional<features::ProcessGroup>& busiest) {
    auto tip = [&](const std::optional<features::ProcessGroup>& named) {
        return base::format(
            named ? base::Text::TrayLoadTipBusiest : base::Text::TrayLoadTip,
            {std::to_wstring(r.cpuTotalPercent), std::to_wstring(r.memoryPercent),
             monitor::rateText(r.in.rate, rateUnit), monitor::rateText(r.out.rate, rateUnit),
             named ? features::processorShareText(*named) : std::wstring()});
    };
    if (!busiest) return tip(std::nullopt);
    // An executable's name may be as long as a path allows: it gives way to the readings.
    features::ProcessGroup named = *busiest;
    named.name = cutWithEllipsis(named.name, kTipNameLength);
    std::wstring text = tip(named);
    while (text.size() > kTipLength && named.name.size() > 1) {
        named.name = cutWithEllipsis(named.name, named.name.size() - 1);
        text = tip(named);
    }
    return text.size() > kTipLength ? tip(std::nullopt) : text;
}

}  // namespace ui
