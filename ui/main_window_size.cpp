#include "ui/main_window_size.h"

#include <algorithm>

#include "base/twips.h"

namespace ui {

namespace {

int clientPixels(float stored, int frameTwips) {
    return std::max(0, base::pixelsFromTwips(stored - static_cast<float>(frameTwips)));
}

float storedFor(float stored, int client, int frameTwips) {
    if (clientPixels(stored, frameTwips) == client) return stored;
    return static_cast<float>(client * base::kTwipsPerPixel + frameTwips);
}

}  // namespace

ClientSize clientSizeFromStored(float widthTwips, float heightTwips) {
    return {clientPixels(widthTwips, kStoredFrameWidthTwips),
            clientPixels(heightTwips, kStoredFrameHeightTwips)};
}

float storedWidthFor(float stored, int clientWidth) {
    return storedFor(stored, clientWidth, kStoredFrameWidthTwips);
}

float storedHeightFor(float stored, int clientHeight) {
    return storedFor(stored, clientHeight, kStoredFrameHeightTwips);
}

SizingEdge sizingEdgeAt(int x, int y, int width, int height) {
    bool left = x < kSizingBand, right = x >= width - kSizingBand;
    bool top = y < kSizingBand, bottom = y >= height - kSizingBand;
    if (!(left || right || top || bottom)) return SizingEdge::None;
    // Near a corner the band runs on along both edges, so a corner is easy to take.
    bool nearLeft = x < kSizingCorner, nearRight = x >= width - kSizingCorner;
    bool nearTop = y < kSizingCorner, nearBottom = y >= height - kSizingCorner;
    if ((bottom && nearRight) || (right && nearBottom)) return SizingEdge::BottomRight;
    if ((bottom && nearLeft) || (left && nearBottom)) return SizingEdge::BottomLeft;
    if ((top && nearRight) || (right && nearTop)) return SizingEdge::TopRight;
    if ((top && nearLeft) || (left && nearTop)) return SizingEdge::TopLeft;
    if (bottom) return SizingEdge::Bottom;
    if (right) return SizingEdge::Right;
    return top ? SizingEdge::Top : SizingEdge::Left;
}

ScreenRect resizedBy(const ScreenRect& start, SizingEdge edge, int dx, int dy) {
    ScreenRect r = start;
    bool left =
        edge == SizingEdge::Left || edge == SizingEdge::TopLeft || edge == SizingEdge::BottomLeft;
    bool right = edge == SizingEdge::Right || edge == SizingEdge::TopRight ||
                 edge == SizingEdge::BottomRight;
    bool top =
        edge == SizingEdge::Top || edge == SizingEdge::TopLeft || edge == SizingEdge::TopRight;
    bool bottom = edge == SizingEdge::Bottom || edge == SizingEdge::BottomLeft ||
                  edge == SizingEdge::BottomRight;
    if (left) r.left = std::min(start.left + dx, start.right - kSizingMinimum);
    if (right) r.right = std::max(start.right + dx, start.left + kSizingMinimum);
    if (top) r.top = std::min(start.top + dy, start.bottom - kSizingMinimum);
    if (bottom) r.bottom = std::max(start.bottom + dy, start.top + kSizingMinimum);
    return r;
}

}  // namespace ui
