#include "render/draw.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace render {

void copyBlock(Image& dst, int dstX, int dstY, int width, int height, const Image& src, int srcX,
               int srcY) {
    // Clip against the source and the destination at once: the copy only moves pixels that
    // exist on both sides.
    int x0 = std::max({0, -dstX, -srcX});
    int y0 = std::max({0, -dstY, -srcY});
    int x1 = std::min({width, dst.width() - dstX, src.width() - srcX});
    int y1 = std::min({height, dst.height() - dstY, src.height() - srcY});
    if (x0 >= x1 || y0 >= y1) return;

    const std::uint32_t* from = src.data();
    std::vector<std::uint32_t> copy;
    if (&dst == &src) {  // overlapping copies read the picture as it was
        copy.assign(src.data(), src.data() + static_cast<size_t>(src.width()) * src.height());
        from = copy.data();
    }
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t* s = from + static_cast<size_t>(srcY + y) * src.width() + srcX + x0;
        std::uint32_t* d = dst.data() + static_cast<size_t>(dstY + y) * dst.width() + dstX + x0;
        std::copy(s, s + (x1 - x0), d);
    }
}

void drawLine(Image& image, int x0, int y0, int x1, int y1, Colour colour) {
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int steps = std::max(dx, dy);  // pixels drawn: the end point is left out
    int x = x0, y = y0;
    if (dx >= dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < steps; ++i) {
            image.setPixel(x, y, colour);
            if (err > 0) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < steps; ++i) {
            image.setPixel(x, y, colour);
            if (err > 0) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

void fillBox(Image& image, int x0, int y0, int x1, int y1, Colour colour) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    x0 = std::max(0, x0);
    y0 = std::max(0, y0);
    x1 = std::min(image.width() - 1, x1);
    y1 = std::min(image.height() - 1, y1);
    std::uint32_t p = toPixel(colour);
    for (int y = y0; y <= y1; ++y)
        std::fill_n(image.data() + static_cast<size_t>(y) * image.width() + x0,
                    std::max(0, x1 - x0 + 1), p);
}

}  // namespace render
