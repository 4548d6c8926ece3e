#include "platform/win32/image_bitmap.h"

#include <cstring>
#include <vector>

namespace win32 {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// A DIB section of the image's size with the image's pixels, and the fourth byte of each as
// `alpha`.
UniqueGdiObject sectionOf(const base::Image& image, std::uint32_t alpha) {
    BITMAPINFO info = dibInfoFor(image.width(), image.height());
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    auto* out = static_cast<std::uint32_t*>(bits);
    const std::uint32_t* in = image.data();
    const size_t count = static_cast<size_t>(image.width()) * image.height();
    for (size_t i = 0; i < count; ++i) out[i] = (in[i] & 0x00FFFFFFu) | alpha;
    GdiFlush();
    return bitmap;
}

}  // namespace

BITMAPINFO dibInfoFor(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the image keeps its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void drawImage(HDC dc, const base::Image& image, int x, int y) {
    BITMAPINFO info = dibInfoFor(image.width(), image.height());
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(image.width()),
                      static_cast<DWORD>(image.height()), 0, 0, 0,
                      static_cast<UINT>(image.height()), image.data(), &info, DIB_RGB_COLORS);
}

UniqueGdiObject bitmapOf(const base::Image& image) {
    if (image.width() <= 0 || image.height() <= 0) return {};
    return sectionOf(image, 0);
}

UniqueIcon iconOf(const base::Image& image) {
    if (image.width() <= 0 || image.height() <= 0) return {};
    UniqueGdiObject colour = sectionOf(image, kOpaque);
    if (!colour) return {};
    // An all-zero AND mask: every pixel of the colour bitmap is drawn as it is.
    std::vector<std::uint8_t> maskBits(
        static_cast<size_t>((image.width() + 15) / 16 * 2) * image.height(), 0);
    UniqueGdiObject mask(CreateBitmap(image.width(), image.height(), 1, 1, maskBits.data()));
    if (!mask) return {};
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.get()), static_cast<HBITMAP>(colour.get())};
    return UniqueIcon(CreateIconIndirect(&info));
}

}  // namespace win32
