#include "render/draw.h"

#include <gtest/gtest.h>

using namespace render;

namespace {

constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kBlue = rgb(0, 0, 255);

// An image whose every pixel tells its own position.
Image numbered(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, rgb(x, y, 1));
    return image;
}

int countColour(const Image& image, Colour colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace

TEST(CopyBlock, CopiesAndClipsOnBothSides) {
    Image src = numbered(10, 5);
    Image dst(8, 4, kBlue);
    copyBlock(dst, 2, 1, 4, 2, src, 3, 2);
    EXPECT_EQ(dst.pixel(2, 1), rgb(3, 2, 1));
    EXPECT_EQ(dst.pixel(5, 2), rgb(6, 3, 1));
    EXPECT_EQ(dst.pixel(1, 1), kBlue);
    EXPECT_EQ(dst.pixel(6, 1), kBlue);
    EXPECT_EQ(dst.pixel(2, 3), kBlue);
    EXPECT_EQ(countColour(dst, kBlue), 32 - 8);

    // A block hanging over every edge: only the overlap moves, nothing wraps.
    Image clipped(4, 4, kBlue);
    copyBlock(clipped, -2, -1, 100, 100, src, 0, 0);
    EXPECT_EQ(clipped.pixel(0, 0), rgb(2, 1, 1));
    EXPECT_EQ(clipped.pixel(3, 3), rgb(5, 4, 1));

    // Source columns beyond the source are not copied: the destination keeps its pixels.
    Image right(6, 1, kBlue);
    copyBlock(right, 0, 0, 6, 1, src, 7, 0);
    EXPECT_EQ(right.pixel(2, 0), rgb(9, 0, 1));
    EXPECT_EQ(right.pixel(3, 0), kBlue);

    // Negative or zero sizes copy nothing.
    Image untouched(3, 3, kBlue);
    copyBlock(untouched, 0, 0, -5, 3, src, 0, 0);
    copyBlock(untouched, 0, 0, 3, 0, src, 0, 0);
    EXPECT_EQ(countColour(untouched, kBlue), 9);
}

TEST(CopyBlock, CopyWithinOneImageReadsTheOldPicture) {
    Image image = numbered(5, 1);
    copyBlock(image, 1, 0, 5, 1, image, 0, 0);
    EXPECT_EQ(image.pixel(0, 0), rgb(0, 0, 1));
    EXPECT_EQ(image.pixel(1, 0), rgb(0, 0, 1));
    EXPECT_EQ(image.pixel(4, 0), rgb(3, 0, 1));
}

TEST(DrawLine, LeavesOutTheEndPointLikeLineTo) {
    Image image(10, 10, kBlue);
    drawLine(image, 1, 2, 6, 2, kRed);
    EXPECT_EQ(image.pixel(1, 2), kRed);
    EXPECT_EQ(image.pixel(5, 2), kRed);
    EXPECT_EQ(image.pixel(6, 2), kBlue);
    EXPECT_EQ(countColour(image, kRed), 5);

    Image vertical(3, 20, kBlue);
    drawLine(vertical, 1, 0, 1, 16, kRed);  // clipped at the bottom
    EXPECT_EQ(countColour(vertical, kRed), 16);
    EXPECT_EQ(vertical.pixel(1, 15), kRed);

    Image backwards(10, 10, kBlue);
    drawLine(backwards, 8, 8, 2, 2, kRed);
    EXPECT_EQ(countColour(backwards, kRed), 6);
    for (int i = 3; i <= 8; ++i) EXPECT_EQ(backwards.pixel(i, i), kRed);
    EXPECT_EQ(backwards.pixel(2, 2), kBlue);

    Image dot(3, 3, kBlue);
    drawLine(dot, 1, 1, 1, 1, kRed);  // a zero-length line draws nothing
    EXPECT_EQ(countColour(dot, kRed), 0);

    // A steep step of one column: the upper half in the start column, one pixel per row.
    Image step(5, 30, kBlue);
    drawLine(step, 3, 28, 2, 10, kRed);
    EXPECT_EQ(countColour(step, kRed), 18);
    EXPECT_EQ(step.pixel(3, 28), kRed);
    EXPECT_EQ(step.pixel(2, 11), kRed);
    EXPECT_EQ(step.pixel(2, 10), kBlue);
    for (int y = 11; y <= 28; ++y)
        EXPECT_TRUE(step.pixel(2, y) == kRed || step.pixel(3, y) == kRed) << y;
}

TEST(FillBox, IncludesBothCornersAndClips) {
    Image image(30, 13, kBlue);
    fillBox(image, 15, 1, 25, 5, kRed);
    EXPECT_EQ(countColour(image, kRed), 11 * 5);
    EXPECT_EQ(image.pixel(25, 5), kRed);
    EXPECT_EQ(image.pixel(26, 5), kBlue);

    Image swapped(10, 10, kBlue);
    fillBox(swapped, 12, 12, 8, 8, kRed);  // corners in any order, clipped to the image
    EXPECT_EQ(countColour(swapped, kRed), 4);

    Image outside(5, 5, kBlue);
    fillBox(outside, 7, 1, 9, 2, kRed);
    fillBox(outside, -9, -9, -1, -1, kRed);
    EXPECT_EQ(countColour(outside, kRed), 0);
}
