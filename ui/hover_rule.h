#pragma once

namespace ui {

// A window's outer rectangle in screen pixels (right and bottom exclusive).
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The pointer is near when it is within 10 pixels of the window on every side, compared in
// twips at 15 twips per pixel.
bool pointerNear(int x, int y, const ScreenRect& window);

enum class HoverAction { None, Hide, Show };

// One hover tick: hide while near with mouse-over on; otherwise bring back a window that is
// hidden, unless the user hid it from the notification icon.
HoverAction hoverAction(bool mouseOverOn, bool near, bool windowHidden, bool userHidden);

}  // namespace ui
