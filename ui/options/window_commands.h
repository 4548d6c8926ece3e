#pragma once
#include <string>

#include "base/dpi_scale.h"

namespace ui::options {

// The buttons that place the main window.
enum class Placement { TopLeft, TopRight, BottomLeft, BottomRight, Reset };

struct PixelPoint {
    int x = 0, y = 0;
};

// Where a placement puts the main window's top-left corner, in screen pixels. The work area is
// the desktop's size without the taskbar; its offset is not added.
PixelPoint placementFor(Placement placement, int workWidth, int workHeight, int windowWidth,
                        int windowHeight);
const wchar_t* placementMessage(Placement placement);

// "サイズ初期化": the main window's outer size in twips and its drawing height in pixels, from
// the height of the last composed list.
struct MainWindowSizeTwips {
    float width = 0, height = 0, scaleHeight = 0;
};
MainWindowSizeTwips resetMainWindowSize(int listHeightPixels, int dpi = base::kDesignDpi);

// The window size window: no smaller than 200 x 200 pixels (3000 twips) at 96 DPI, and its size
// shown as its width and height in twips (of its DPI), in the current language.
constexpr int kSizeWindowMinimumPixels = 200;
std::wstring sizeWindowText(int widthPixels, int heightPixels, int dpi = base::kDesignDpi);

}  // namespace ui::options
