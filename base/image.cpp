#include "base/image.h"

#include <algorithm>

namespace base {

std::uint32_t toPixel(Colour c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

Colour fromPixel(std::uint32_t p) { return toPixel(p & 0xFFFFFF); }

Image::Image(int width, int height, Colour fill) : background_(fill) { resize(width, height); }

void Image::resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<size_t>(width_) * height_, toPixel(background_));
}

void Image::setBackground(Colour colour) {
    background_ = colour;
    clear();
}

void Image::fill(Colour colour) { std::fill(pixels_.begin(), pixels_.end(), toPixel(colour)); }

Colour Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return fromPixel(pixels_[static_cast<size_t>(y) * width_ + x]);
}

void Image::setPixel(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = toPixel(colour);
}

}  // namespace base
