#pragma once
#include <array>
#include <vector>

#include "render/list_metrics.h"
#include "render/render_types.h"
#include "settings/display_item.h"
#include "settings/live_settings.h"

namespace render {

constexpr int kGraphWidth = 157;
constexpr int kGraphHeight = 29;
constexpr int kListWidth = 158;    // one column more than a row: the stretch reads 158
constexpr int kListHeight = 1333;  // 20000 twips at 15 twips per pixel

// The off-screen images (at 96 DPI the sizes above; at others the metrics' scaled ones) of the
// refresh cycle and the graph's state, kept from tick to tick.
struct RenderState {
    // By slot, each made at its first painting; the graph has none, the memo grows.
    std::array<Image, settings::kItemSlots> rows;
    std::array<Image, settings::kDriveSlots> driveRows;  // by position in the drive list
    std::vector<Image> sourceRows;                       // by shown source, after every item
    Image newVersionRow;
    Image graph;
    Image graphScroll;  // scroll buffer
    Image list;
    int graphPrevious = 0;
    int graphCurrent = 0;
    int listHeight = 0;  // y of the latest composition
    bool resizePending = false;
    ListMetrics metrics;  // the geometry the images are sized for

    explicit RenderState(ListMetrics m = ListMetrics{});
    // Every image again at another DPI's geometry: blank, the graph started afresh, and the
    // window sized to the list at the next tick.
    void rescale(ListMetrics m);
};

}  // namespace render
