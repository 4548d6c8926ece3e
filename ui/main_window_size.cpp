#include "ui/main_window_size.h"

#include <algorithm>

#include "base/twips.h"

namespace ui {

namespace {

int clientPixels(float stored, int frameTwips, int dpi) {
    return std::max(0, base::pixelsFromTwips(stored - static_cast<float>(frameTwips), dpi));
}

float storedFor(float stored, int client, int frameTwips, int dpi) {
    if (clientPixels(stored, frameTwips, dpi) == client) return stored;
    return base::twipsFromPixels(client, dpi) + static_cast<float>(frameTwips);
}

}  // namespace

ClientSize clientSizeFromStored(float widthTwips, float heightTwips, int dpi) {
    return {clientPixels(widthTwips, kStoredFrameWidthTwips, dpi),
            clientPixels(heightTwips, kStoredFrameHeightTwips, dpi)};
}

float storedWidthFor(float stored, int clientWidth, int dpi) {
    return storedFor(stored, clientWidth, kStoredFrameWidthTwips, dpi);
}

float storedHeightFor(float stored, int clientHeight, int dpi) {
    return storedFor(stored, clientHeight, kStoredFrameHeightTwips, dpi);
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
