#include "ui/hover_rule.h"

namespace ui {
namespace {

constexpr long kTwipsPerPixel = 15;
constexpr long kZoneTwips = 150;

}  // namespace

bool pointerNear(int x, int y, const ScreenRect& window) {
    long px = x * kTwipsPerPixel, py = y * kTwipsPerPixel;
    long left = window.left * kTwipsPerPixel, top = window.top * kTwipsPerPixel;
    long width = (window.right - window.left) * kTwipsPerPixel;
    long height = (window.bottom - window.top) * kTwipsPerPixel;
    return left - 1 < px + kZoneTwips && top - 1 < py + kZoneTwips &&
           left + width > px - kZoneTwips && top + height > py - kZoneTwips;
}

HoverAction hoverAction(bool mouseOverOn, bool near, bool windowHidden, bool userHidden) {
    if (mouseOverOn && near) return windowHidden ? HoverAction::None : HoverAction::Hide;
    if (windowHidden && !userHidden) return HoverAction::Show;
    return HoverAction::None;
}

}  // namespace ui
