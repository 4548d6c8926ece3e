#pragma once
#include "base/dpi_scale.h"

namespace render {

// The list's geometry at a window's DPI, scaled from its 96-DPI design: rows of 157 x 13 with
// a one-pixel separator, the graph 157 x 29, the list one column wider than a row. The list is
// laid out in designed pixels and each edge scaled on its own, so a list stays the scaled
// height of its 96-DPI self however many rows it has; a row's images are as tall as its
// tallest scaled place (at 120 DPI rows alternate between 16 and 17 pixels, for example), the
// graph as its shortest, so that its bottom line always shows.
struct ListMetrics {
    base::DpiScale scale;
    int rowWidth, rowHeight, graphWidth, graphHeight, listWidth, listHeight;

    constexpr explicit ListMetrics(base::DpiScale s = {})
        : scale(s),
          rowWidth(s.px(157)),
          rowHeight(s.pxCeil(13)),
          graphWidth(s.px(157)),
          graphHeight(s.pxFloor(29)),
          listWidth(s.px(158)),
          listHeight(s.px(1333)) {}  // 20000 twips at 96 DPI

    // A designed x, y or width.
    constexpr int x(int designed) const { return scale.px(designed); }
    constexpr int y(int designed) const { return scale.px(designed); }
    // The image height of `lines` 13-pixel lines (the memo's).
    constexpr int linesHeight(int lines) const { return scale.pxCeil(13 * lines); }
    constexpr bool operator==(const ListMetrics& other) const { return scale == other.scale; }
};

}  // namespace render
