#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "base/texts.h"
#include "render/list_metrics.h"
#include "render/render_types.h"
#include "settings/display_item.h"
#include "settings/live_settings.h"

namespace render {

// Resolves a system colour index (the low byte of a colour whose top bit is set, e.g. 15 for
// the button face of -2147483633) to its current RGB value.
using SystemColours = std::function<Colour(int index)>;

// A stored colour value: RGB, or with the top bit set a system colour reference resolved through
// `system` (black when none is given).
Colour resolveColour(std::int32_t stored, const SystemColours& system = {});

// The bar strips the refresh cycle copies bars from: one per meter item (by slot, id - 100)
// and one per drive row position. Each is a row's size, 157 x 13 at 96 DPI, once a gradient is
// painted into it; a slot no bar uses stays empty.
struct BarStrips {
    std::array<Image, settings::kItemSlots> items;
    std::array<Image, settings::kDriveSlots> drives;
    base::DpiScale scale;  // the gradients are painted at this DPI
    int rowWidth = 0;      // a strip's size at that DPI
    int rowHeight = 0;
    explicit BarStrips(const ListMetrics& metrics = ListMetrics{});
    // Blank strips at another DPI's row size; their gradients are painted again by the caller.
    void rescale(const ListMetrics& metrics);
};

// Paints the horizontal gradient of `start` to `end` over 13 x height steps of one column each;
// the image shows the first `width` of them, so its last column is not quite `end`. At another
// DPI the image's designed height gives the steps, scaled.
void paintGradient(Image& preview, Colour start, Colour end, base::DpiScale scale = {});

// Colour button captions after a gradient was shown.
struct GradientCaptions {
    base::Text start;  // the start colour's button
    base::Text end;    // the end colour's button
};

// The preview at the strips' size (the main window's DPI sets it), blank when it had another.
void fitPreviewToStrips(Image& preview, const BarStrips& strips);

// The selected display item's gradient, painted into the preview and copied into the item's
// strip. A non-meter item clears the preview and leaves the strips alone; the captions then read
// "色変更不可".
GradientCaptions showItemGradient(int id, std::int32_t start, std::int32_t end, Image& preview,
                                  BarStrips& strips, const SystemColours& system = {});

// The selected drive row's (1-based position k, at most 30) gradient, likewise, into drive strip
// k - 1. Out-of-range positions do nothing.
void showDriveGradient(int k, std::int32_t start, std::int32_t end, Image& preview,
                       BarStrips& strips, const SystemColours& system = {});

}  // namespace render
