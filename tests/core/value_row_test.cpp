#include "render/value_row.h"

#include <gtest/gtest.h>

#include "fakes/fake_text_painter.h"
#include "render/draw.h"
#include "render/gradient.h"
#include "render/rounding.h"

using namespace render;

namespace {

constexpr Colour kBack = rgb(240, 240, 240);
constexpr Colour kText = rgb(0, 0, 128);
constexpr Colour kBar = rgb(0, 200, 0);

Image row() {
    Image image(157, 13, kBack);
    image.setForeground(kText);
    image.fill(rgb(9, 9, 9));  // last tick's picture
    return image;
}

Image strip() { return Image(157, 13, kBar); }

int barColumns(const Image& image) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x) {
        bool all = true;
        for (int y = 0; y < image.height(); ++y) all = all && image.pixel(x, y) == kBar;
        n += all;
    }
    return n;
}

}  // namespace

TEST(ValueRow, NameAndRightAlignedValue) {
    fakes::FakeTextPainter painter;
    Image image = row();
    drawValueRow(image, {L"ＣＰＵ使用率", L"100%", 148, std::nullopt}, nullptr, painter);
    ASSERT_EQ(painter.calls.size(), 2u);
    EXPECT_EQ(painter.calls[0].text, L"ＣＰＵ使用率");
    EXPECT_EQ(painter.calls[0].x, 5);
    EXPECT_EQ(painter.calls[0].y, 1);
    EXPECT_EQ(painter.calls[0].colour, kText);
    EXPECT_EQ(painter.calls[1].x, 124);
    EXPECT_EQ(painter.calls[1].y, 1);
    EXPECT_EQ(image.pixel(124, 1), kText);
    EXPECT_EQ(image.pixel(0, 0), kBack);  // cleared first
    EXPECT_EQ(image.pixel(156, 12), kBack);

    painter.calls.clear();
    drawValueRow(image, {L"ＣＰＵ 1 使用率", L"7%", 148, 0}, nullptr, painter);
    EXPECT_EQ(painter.find(L"7%")->x, 136);

    // Characters are counted, not their widths; item 115 prints its name one row higher.
    painter.calls.clear();
    drawValueRow(image, {L"起動時間", L"01時02分03秒", 138 - 6, std::nullopt, 0}, nullptr, painter);
    EXPECT_EQ(painter.find(L"起動時間")->y, 0);
    EXPECT_EQ(painter.find(L"01時02分03秒")->x, 132 - 54);

    // No name, no call for it.
    painter.calls.clear();
    drawValueRow(image, {L"", L"x", 11, std::nullopt}, nullptr, painter);
    ASSERT_EQ(painter.calls.size(), 1u);
    EXPECT_EQ(painter.calls[0].x, 5);
}

TEST(ValueRow, BarsAreCopiedFromTheStripAndClipped) {
    fakes::FakeTextPainter painter;
    Image bar = strip();
    Image image = row();
    drawValueRow(image, {L"メモリ", L"", 143, barWidthFor(100)}, &bar, painter);
    EXPECT_EQ(barColumns(image), 157 - 3);  // less the name's three character cells
    EXPECT_EQ(image.pixel(156, 12), kBar);

    drawValueRow(image, {L"", L"", 143, barWidthFor(0)}, &bar, painter);
    EXPECT_EQ(barColumns(image), 0);

    drawValueRow(image, {L"", L"", 143, barWidthFor(50)}, &bar, painter);
    EXPECT_EQ(barColumns(image), 78);
    EXPECT_EQ(image.pixel(77, 6), kBar);
    EXPECT_EQ(image.pixel(78, 6), kBack);

    // Above full scale the bar is not clamped; the row clips it.
    drawValueRow(image, {L"", L"", 143, barWidthFor(250)}, &bar, painter);
    EXPECT_EQ(barColumns(image), 157);
    drawValueRow(image, {L"", L"", 143, -40}, &bar, painter);  // a negative rate draws no bar
    EXPECT_EQ(barColumns(image), 0);

    // Items without a bar never touch the strip, even with a width.
    drawValueRow(image, {L"", L"", 143, std::nullopt}, &bar, painter);
    EXPECT_EQ(barColumns(image), 0);
}

TEST(ValueRow, LongValueStartsLeftOfTheRow) {
    fakes::FakeTextPainter painter;
    Image image = row();
    std::wstring value(30, L'9');
    drawValueRow(image, {L"PROXY", value, 150, std::nullopt}, nullptr, painter);
    EXPECT_EQ(painter.find(value)->x, 150 - 180);
    EXPECT_EQ(image.pixel(0, 1), kText);  // character 5 starts at x = 0
}
