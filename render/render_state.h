#pragma once
#include <array>

#include "render/image.h"

namespace render {

constexpr int kGraphWidth = 157;
constexpr int kGraphHeight = 29;
constexpr int kListWidth = 158;    // one column more than a row: the stretch reads 158
constexpr int kListHeight = 1333;  // 20000 twips at 15 twips per pixel
constexpr int kDriveRowSlots = 30;

// The off-screen images of the refresh cycle and the graph's state, kept from tick to tick.
struct RenderState {
    std::array<Image, 26> rows;                   // by slot (id - 100); 113 has none, 122 grows
    std::array<Image, kDriveRowSlots> driveRows;  // by position in the drive list
    Image newVersionRow;
    Image graph;
    Image graphScroll;  // scroll buffer
    Image list;
    int graphPrevious = 0;
    int graphCurrent = 0;
    int listHeight = 0;  // y of the latest composition
    bool resizePending = false;

    RenderState();
    // A new graph source starts the graph afresh from its bottom line.
    void restartGraph();
};

}  // namespace render
