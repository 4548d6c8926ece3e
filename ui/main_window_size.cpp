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

}  // namespace ui
