#include "render/gradient.h"

#include <algorithm>

#include "base/texts.h"
#include "render/draw.h"
#include "render/rounding.h"
#include "settings/display_catalogue.h"

namespace render {

namespace {

constexpr int kBorder = 2;  // the strips' sunken border, on each side

}  // namespace

Colour resolveColour(std::int32_t stored, const SystemColours& system) {
    auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return system ? system(static_cast<int>(value & 0xFF)) : 0;
    return value & 0xFFFFFF;
}

BarStrips::BarStrips(const ListMetrics& m) { rescale(m); }

void BarStrips::rescale(const ListMetrics& m) {
    scale = m.scale;
    rowWidth = m.rowWidth;
    rowHeight = m.rowHeight;
    for (Image& strip : items) strip = Image();
    for (Image& strip : drives) strip = Image();
}

void paintGradient(Image& preview, Colour start, Colour end, base::DpiScale scale) {
    const int outerHeight = preview.height() + scale.px(2 * kBorder);
    // The steps of the image's designed height, scaled: the same colours at the same fraction
    // of the width at every DPI.
    const int designedHeight = static_cast<int>(
        (static_cast<long long>(preview.height()) * base::kDesignDpi + scale.dpi / 2) / scale.dpi);
    const int steps = scale.px(designedHeight * kRowHeight);
    const int s[3] = {int(start & 0xFF), int((start >> 8) & 0xFF), int((start >> 16) & 0xFF)};
    const int e[3] = {int(end & 0xFF), int((end >> 8) & 0xFF), int((end >> 16) & 0xFF)};
    float step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = static_cast<float>(e[c] - s[c]) / static_cast<float>(steps);
    // Columns beyond the image would be clipped anyway.
    for (int i = 0; i < std::min(steps, preview.width()); ++i) {
        int channel[3];
        for (int c = 0; c < 3; ++c)
            channel[c] = static_cast<int>(std::clamp<std::int64_t>(
                roundHalfEven(static_cast<double>(i * step[c]) + s[c]), 0, 255));
        drawLine(preview, i, 0, i, outerHeight - 1, rgb(channel[0], channel[1], channel[2]));
    }
}

void fitPreviewToStrips(Image& preview, const BarStrips& strips) {
    if (preview.width() != strips.rowWidth || preview.height() != strips.rowHeight)
        preview.resize(strips.rowWidth, strips.rowHeight);
}

namespace {

void paintInto(Image& strip, const BarStrips& strips, std::int32_t start, std::int32_t end,
               Image& preview, const SystemColours& system) {
    if (strip.width() != strips.rowWidth || strip.height() != strips.rowHeight)
        strip.resize(strips.rowWidth, strips.rowHeight);
    paintGradient(preview, resolveColour(start, system), resolveColour(end, system), strips.scale);
    copyBlock(strip, 0, 0, strips.scale.px(213), strips.scale.px(17), preview, 0, 0);
}

}  // namespace

GradientCaptions showItemGradient(int id, std::int32_t start, std::int32_t end, Image& preview,
                                  BarStrips& strips, const SystemColours& system) {
    if (!settings::isMeterItem(static_cast<settings::Item>(id))) {
        preview.clear();
        return {base::Text::ColourFixed, base::Text::ColourFixed};
    }
    paintInto(strips.items[id - 100], strips, start, end, preview, system);
    return {base::Text::DisplayStartColour, base::Text::DisplayEndColour};
}

void showDriveGradient(int k, std::int32_t start, std::int32_t end, Image& preview,
                       BarStrips& strips, const SystemColours& system) {
    if (k < 1 || k > static_cast<int>(settings::kDriveSlots)) return;
    paintInto(strips.drives[k - 1], strips, start, end, preview, system);
}

}  // namespace render
