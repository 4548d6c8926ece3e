#pragma once
#include "base/dpi_scale.h"
#include "ui/hover_rule.h"

namespace ui {

// The main window's client area is the list: 158 columns (what the stretch reads) by the list's
// height. The tick, "サイズ初期化" and start-up all size it by its client area, so the window's
// own frame never changes what the list is drawn onto.
constexpr int kMainClientWidth = 158;
// The same list at a window's DPI.
constexpr int mainClientWidthFor(int dpi) { return base::DpiScale{dpi}.px(kMainClientWidth); }

struct ClientSize {
    int width = 0, height = 0;
};

// The stored size (WindowWidth, WindowHeight) is the outer size of a window whose frame takes
// 126 by 128 twips: 2496 twips wide is the 158-pixel list, y * 15 + 128 high a list of y pixels.
// Read that way, the defaults and a reset's values give exactly the tick's client area. Twips
// are read at the DPI of the window's monitor (15 to a pixel at 96 DPI, 10 at 144).
constexpr int kStoredFrameWidthTwips = 126;
constexpr int kStoredFrameHeightTwips = 128;
ClientSize clientSizeFromStored(float widthTwips, float heightTwips, int dpi = base::kDesignDpi);
// What to store for a client area: the stored value while it still gives that area.
float storedWidthFor(float stored, int clientWidth, int dpi = base::kDesignDpi);
float storedHeightFor(float stored, int clientHeight, int dpi = base::kDesignDpi);

// In "ウインドウサイズ可変" the main window's edges size it: a press this close to an edge takes
// that edge, and this close to a corner along an edge takes the corner.
constexpr int kSizingBand = 4;
constexpr int kSizingCorner = 12;
// The smallest outer size a drag gives the window.
constexpr int kSizingMinimum = 2 * kSizingCorner;

enum class SizingEdge {
    None,
    Left,
    Right,
    Top,
    TopLeft,
    TopRight,
    Bottom,
    BottomLeft,
    BottomRight
};

// The edge under a point given relative to the window's outer top-left corner.
SizingEdge sizingEdgeAt(int x, int y, int width, int height);

}  // namespace ui
