#include "platform/win32/dib_surface.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/image_bitmap.h"

namespace win32 {

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;  // GDI may leave the fourth byte changed

}  // namespace

DibSurface::DibSurface() : dc_(CreateCompatibleDC(nullptr)) {}

DibSurface::~DibSurface() {
    if (oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
}

bool DibSurface::reserve(int width, int height) {
    if (!dc_) return false;
    if (width <= width_ && height <= height_ && bits_) return true;
    width = std::max({width, width_, 1});
    height = std::max({height, height_, 1});

    BITMAPINFO info = dibInfoFor(width, height);
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;

    HGDIOBJ previous = SelectObject(dc_.get(), bitmap.get());
    if (!oldBitmap_) oldBitmap_ = previous;
    bitmap_ = std::move(bitmap);  // the former bitmap is no longer selected: safe to delete
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void DibSurface::release() {
    if (oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

void DibSurface::load(const base::Image& image) {
    GdiFlush();
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(row(y), image.data() + static_cast<size_t>(y) * image.width(),
                    sizeof(std::uint32_t) * image.width());
}

void DibSurface::store(base::Image& image) {
    GdiFlush();
    for (int y = 0; y < image.height(); ++y) {
        const std::uint32_t* from = row(y);
        std::uint32_t* to = image.data() + static_cast<size_t>(y) * image.width();
        for (int x = 0; x < image.width(); ++x) to[x] = from[x] & kColourBits;
    }
}

}  // namespace win32
