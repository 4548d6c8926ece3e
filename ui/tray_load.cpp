#include "ui/tray_load.h"

#include <algorithm>

#include "base/texts.h"
#include "monitor/row_format.h"
#include "render/draw.h"
#include "settings/settings.h"

namespace ui {
namespace {

int filled(int percent, int inner) { return (std::clamp(percent, 0, 100) * inner + 50) / 100; }

}  // namespace

LoadBars loadBarsFor(int cpuPercent, int memoryPercent, int side) {
    int inner = std::max(side - 2, 0);
    return {filled(cpuPercent, inner), filled(memoryPercent, inner)};
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
    if (bars.cpu > 0) render::fillBox(picture, 1, bottom - bars.cpu + 1, half, bottom, colours.cpu);
    if (bars.memory > 0)
        render::fillBox(picture, side - 1 - half, bottom - bars.memory + 1, side - 2, bottom,
                        colours.memory);
    return picture;
}

std::wstring loadTipText(const monitor::Readings& r, int rateUnit) {
    return base::format(
        base::Text::TrayLoadTip,
        {std::to_wstring(r.cpuTotalPercent), std::to_wstring(r.memoryPercent),
         monitor::rateText(r.in.rate, rateUnit), monitor::rateText(r.out.rate, rateUnit)});
}

}  // namespace ui
