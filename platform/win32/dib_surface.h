#pragma once
#include <windows.h>

#include <cstdint>

#include "base/image.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

// A memory DC with a 32-bit top-down DIB section selected into it, whose pixels have the layout
// of base::Image. Grows to the largest size asked for; objects are deselected before deletion.
class DibSurface {
public:
    DibSurface();
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    // Makes the surface at least width x height; false when GDI refuses.
    bool reserve(int width, int height);
    // Gives its pixels back (a window nobody sees keeps none); reserve() makes them again.
    void release();
    HDC dc() const { return dc_.get(); }
    // Row y of the surface (width() pixels).
    std::uint32_t* row(int y) { return bits_ + static_cast<size_t>(y) * width_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The image's pixels into the surface's top-left corner, and back.
    void load(const base::Image& image);
    void store(base::Image& image);

private:
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace win32
