#include "render/gradient.h"

#include <gtest/gtest.h>

#include "base/texts.h"

using namespace render;

namespace {

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kRed = rgb(255, 0, 0);

Image preview() { return Image(157, 13, rgb(1, 2, 3)); }

bool columnIs(const Image& image, int x, Colour colour) {
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) != colour) return false;
    return true;
}

}  // namespace

TEST(PaintGradient, WhiteToRedStopsShortOfRed) {
    Image image = preview();
    paintGradient(image, kWhite, kRed);
    EXPECT_TRUE(columnIs(image, 0, kWhite));
    EXPECT_TRUE(columnIs(image, 156, rgb(255, 20, 20)));
    EXPECT_TRUE(columnIs(image, 78, rgb(255, 137, 137)));  // 255 - 78 * 255/169 = 137.3
    // Channels only ever move towards the end colour.
    for (int x = 1; x < 157; ++x)
        EXPECT_LE(image.pixel(x, 0) >> 8 & 0xFF, image.pixel(x - 1, 0) >> 8 & 0xFF);
}

TEST(PaintGradient, EqualColoursGiveOneColour) {
    Image image = preview();
    const Colour c = rgb(12, 200, 99);
    paintGradient(image, c, c);
    for (int x = 0; x < 157; ++x) ASSERT_TRUE(columnIs(image, x, c)) << x;
}

TEST(PaintGradient, EachChannelByItself) {
    Image image = preview();
    paintGradient(image, rgb(0, 100, 255), rgb(169, 100, 0));
    // Red climbs one level per column; blue falls about 1.5 per column.
    EXPECT_EQ(image.pixel(10, 5), rgb(10, 100, 240));  // 255 - 15.09
    EXPECT_EQ(image.pixel(156, 12), rgb(156, 100, 20));
}

TEST(ResolveColour, RgbValuesAndSystemColours) {
    EXPECT_EQ(resolveColour(16777215), kWhite);
    EXPECT_EQ(resolveColour(255), kRed);
    EXPECT_EQ(resolveColour(2147483647), kWhite);  // only the low 24 bits are the colour

    int asked = -1;
    SystemColours system = [&](int index) {
        asked = index;
        return rgb(212, 208, 200);
    };
    EXPECT_EQ(resolveColour(-2147483633, system), rgb(212, 208, 200));
    EXPECT_EQ(asked, 15);  // the button face
    EXPECT_EQ(resolveColour(-2147483643, system), rgb(212, 208, 200));
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(resolveColour(-2147483633), 0u);  // nothing to resolve it with
    EXPECT_EQ(resolveColour(-2147483647 - 1, system), rgb(212, 208, 200));
    EXPECT_EQ(asked, 0);
}

TEST(ShowItemGradient, MeterItemPaintsPreviewAndItsStrip) {
    BarStrips strips;
    Image image = preview();
    GradientCaptions captions = showItemGradient(101, 16777215, 255, image, strips);
    EXPECT_EQ(std::wstring(base::text(captions.start)), L"開始色");
    EXPECT_EQ(std::wstring(base::text(captions.end)), L"終点色");
    EXPECT_TRUE(columnIs(image, 156, rgb(255, 20, 20)));
    EXPECT_TRUE(columnIs(strips.items[1], 0, kWhite));
    EXPECT_TRUE(columnIs(strips.items[1], 156, rgb(255, 20, 20)));
    EXPECT_TRUE(columnIs(strips.items[0], 0, 0));  // other strips untouched

    // The power item (123) has a bar too.
    showItemGradient(123, 16777215, 255, image, strips);
    EXPECT_TRUE(columnIs(strips.items[23], 0, kWhite));
}

TEST(ShowItemGradient, ItemWithoutBarClearsPreviewAndKeepsStrips) {
    BarStrips strips;
    Image image = preview();
    showItemGradient(100, 16777215, 255, image, strips);

    GradientCaptions captions = showItemGradient(104, -2147483633, 0, image, strips);
    EXPECT_EQ(std::wstring(base::text(captions.start)), L"色変更不可");
    EXPECT_EQ(std::wstring(base::text(captions.end)), L"色変更不可");
    for (int x = 0; x < 157; ++x) ASSERT_TRUE(columnIs(image, x, rgb(1, 2, 3))) << x;
    EXPECT_TRUE(columnIs(strips.items[0], 156, rgb(255, 20, 20)));
    EXPECT_TRUE(columnIs(strips.items[4], 0, 0));
}

TEST(ShowDriveGradient, PositionPicksTheStrip) {
    BarStrips strips;
    Image image = preview();
    showDriveGradient(3, 16777215, 65280, image, strips);
    EXPECT_TRUE(columnIs(strips.drives[2], 0, kWhite));
    EXPECT_TRUE(columnIs(strips.drives[1], 0, 0));
    EXPECT_TRUE(columnIs(strips.drives[3], 0, 0));

    showDriveGradient(30, 16777215, 65280, image, strips);
    EXPECT_TRUE(columnIs(strips.drives[29], 0, kWhite));
    showDriveGradient(31, 255, 255, image, strips);  // beyond the list: nothing happens
    showDriveGradient(0, 255, 255, image, strips);
    EXPECT_TRUE(columnIs(image, 0, kWhite));  // the preview still shows drive 30
}
