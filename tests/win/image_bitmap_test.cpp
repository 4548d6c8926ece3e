#include "platform/win32/image_bitmap.h"

#include <gtest/gtest.h>

#include "platform/win32/dib_surface.h"
#include "ui/tray_load.h"

namespace {

// What a device context shows after `paint` drew into a clean surface of that size.
template <typename Paint>
base::Image shown(int width, int height, Paint paint) {
    win32::DibSurface surface;
    EXPECT_TRUE(surface.reserve(width, height));
    base::Image out(width, height, base::rgb(1, 2, 3));
    surface.load(out);
    paint(surface.dc());
    surface.store(out);
    return out;
}

}  // namespace

// The list's default bar ends and text colour: red and blue would trade places if a conversion
// read the picture in the wrong byte order.
TEST(ImageBitmap, IconAndBitmapShowThePictureInItsOwnColours) {
    const base::Colour back = base::rgb(0, 0, 0), frame = base::rgb(134, 53, 122);
    const base::Colour cpu = base::rgb(255, 23, 23), memory = base::rgb(255, 255, 0);
    base::Image picture =
        ui::loadIconPicture(ui::loadBarsFor(100, 50, 16), 16, {back, frame, cpu, memory});

    win32::UniqueIcon icon = win32::iconOf(picture);
    ASSERT_TRUE(icon);
    base::Image drawn = shown(
        16, 16, [&](HDC dc) { DrawIconEx(dc, 0, 0, icon.get(), 16, 16, 0, nullptr, DI_NORMAL); });
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(drawn.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(drawn.pixel(2, 2), cpu);
    EXPECT_EQ(drawn.pixel(13, 14), memory);
    EXPECT_EQ(drawn.pixel(0, 0), frame);

    win32::UniqueGdiObject bitmap = win32::bitmapOf(picture);
    ASSERT_TRUE(bitmap);
    base::Image copied = shown(16, 16, [&](HDC dc) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap.get());
        BitBlt(dc, 0, 0, 16, 16, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    });
    EXPECT_EQ(copied.pixel(2, 2), cpu);
    EXPECT_EQ(copied.pixel(0, 0), frame);
    base::Image direct = shown(16, 16, [&](HDC dc) { win32::drawImage(dc, picture, 0, 0); });
    EXPECT_EQ(direct.pixel(13, 14), memory);

    EXPECT_FALSE(win32::iconOf(base::Image())) << "no picture, no icon";
}

// A surface given back and made again draws as a new one: GDI still has it selected into its DC.
TEST(DibSurface, AReleasedSurfaceIsMadeAgainOnItsNextUse) {
    win32::DibSurface surface;
    ASSERT_TRUE(surface.reserve(300, 200));
    surface.release();
    EXPECT_EQ(surface.width(), 0);
    ASSERT_TRUE(surface.reserve(20, 10));
    EXPECT_EQ(surface.width(), 20);
    RECT all{0, 0, 20, 10};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(surface.dc(), &all, red);
    DeleteObject(red);
    base::Image out(20, 10);
    surface.store(out);
    EXPECT_EQ(out.pixel(19, 9), base::rgb(255, 0, 0));
}
