#pragma once
#include <array>

#include "render/render_types.h"
#include "settings/display_item.h"
#include "settings/live_settings.h"

namespace render {

constexpr int kGraphWidth = 157;
constexpr int kGraphHeight = 29;
constexpr int kListWidth = 158;    // one column more than a row: the stretch reads 158
constexpr int kListHeight = 1333;  // 20000 twips at 15 twips per pixel

// The off-screen images of the refresh cycle and the graph's state, kept from tick to tick.
struct RenderState {
    std::array<Image, settings::kItemSlots> rows;  // by slot; the graph has none, the memo grows
    std::array<Image, settings::kDriveSlots> driveRows;  // by position in the drive list
    Image newVersionRow;
    Image graph;
    Image graphScroll;  // scroll buffer
    Image list;
    int graphPrevious = 0;
    int graphCurrent = 0;
    int listHeight = 0;  // y of the latest composition
    bool resizePending = false;

    RenderState();
};

}  // namespace render
