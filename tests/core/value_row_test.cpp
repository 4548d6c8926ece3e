#include "render/value_row.h"

#include <gtest/gtest.h>

#include "fakes/fake_text_painter.h"
#include "render/draw.h"
#include "render/gradient.h"
#include "render/rounding.h"
#include "render/row_fit.h"

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

// Where texts do not fit their designed places, the row yields room: nothing is drawn over
// another text or off the row, and what fits stays exactly where it was designed to be.
TEST(ValueRow, TextsThatDoNotFitYieldRoomInsteadOfOverlapping) {
    fakes::FakeTextPainter painter;
    Image image = row();
    auto at = [&](const std::wstring& text) { return painter.find(text)->x; };
    auto width = [&](const std::wstring& text) { return painter.textWidth(text); };

    // A value wider than the whole row shows its beginning where the label stood.
    std::wstring value(30, L'9');
    drawValueRow(image, {L"PROXY", value, 150, std::nullopt}, nullptr, painter);
    EXPECT_EQ(at(value), 5);
    EXPECT_EQ(painter.find(L"PROXY"), nullptr) << "no room is left for the label";

    // A long label gives way to its value with "…"; the value keeps its column.
    painter.calls.clear();
    drawValueRow(image, {L"Javaアプレットのスクリプト", L"ON", 150}, nullptr, painter);
    EXPECT_EQ(at(L"ON"), 150 - 12);
    ASSERT_EQ(painter.calls.size(), 2u);
    const std::wstring cut = painter.calls[0].text;
    EXPECT_EQ(cut.back(), L'…');
    EXPECT_LE(5 + width(cut), 150 - 12 - 6) << cut;
    EXPECT_EQ(cut, L"Javaアプレットのス…") << "as much of the label as fits";

    // A value running off the right moves left, up to its label; the label then is cut.
    painter.calls.clear();
    drawValueRow(image, {L"LAN側IP ", L"192.168.100.200", 160}, nullptr, painter);
    EXPECT_EQ(at(L"192.168.100.200"), 157 - 90);
    EXPECT_NE(painter.find(L"LAN側IP "), nullptr);
    painter.calls.clear();
    drawValueRow(image, {L"PROXY", L"proxy.example.com:8080", 150}, nullptr, painter);
    EXPECT_GE(at(L"proxy.example.com:8080"), 0);
    EXPECT_LE(at(L"proxy.example.com:8080") + width(L"proxy.example.com:8080"), 157);
    EXPECT_EQ(painter.find(L"PROXY"), nullptr) << "not even \"…\" fits before it";

    // A value over its label moves right while the row has room: measured, not counted.
    painter.calls.clear();
    drawValueRow(image, {L"Uptime", L"10d 01h 00m 00s", 138 - 12}, nullptr, painter);
    EXPECT_EQ(at(L"10d 01h 00m 00s"), 5 + width(L"Uptime") + 6);
    EXPECT_NE(painter.find(L"Uptime"), nullptr);

    // Nor against it: a label and its value stay a blank cell apart.
    painter.calls.clear();
    drawValueRow(image, {L"PROXY", L"second.example:8080", 150}, nullptr, painter);
    EXPECT_EQ(at(L"second.example:8080"), 5 + width(L"PROXY") + 6);

    // Values that fit stay where characters counted put them, full-width or not.
    painter.calls.clear();
    drawValueRow(image, {L"IPアドレス", L"接続不能", 120}, nullptr, painter);
    EXPECT_EQ(at(L"接続不能"), 120 - 24);
    drawValueRow(image, {L"ＣＰＵ使用率", L"100%", 148}, nullptr, painter);
    EXPECT_EQ(at(L"100%"), 148 - 24);

    // At twice the scale the same rules hold in that scale's pixels.
    painter.dpi = 192;
    painter.calls.clear();
    Image large(314, 26, kBack);
    drawValueRow(large, {L"IP address", L"255.255.255.255", 158}, nullptr, painter,
                 ListMetrics{base::DpiScale{192}});
    EXPECT_LE(at(L"255.255.255.255") + width(L"255.255.255.255"), 314);
    EXPECT_GE(at(L"255.255.255.255"), 10 + width(L"IP address"));
}

TEST(ValueRow, TextsInOrderStayInOrderClearOfWhatStandsLeft) {
    // Fits: every text keeps its place.
    std::vector<InOrder> texts{{25, 48, 48}, {85, 36, 36}, {124, 24, 24}};
    EXPECT_TRUE(fitInOrder(texts, 25, 157));
    EXPECT_EQ(texts[0].x, 25);
    EXPECT_EQ(texts[1].x, 85);
    // The first would start left of the bound: it moves right and pushes the next along.
    texts = {{13, 48, 48}, {73, 42, 42}, {124, 24, 24}};
    EXPECT_TRUE(fitInOrder(texts, 25, 157));
    EXPECT_EQ(texts[0].x, 25);
    EXPECT_EQ(texts[1].x, 73);
    // Pushed past the row's end, they come back from the right.
    texts = {{1, 66, 66}, {55, 60, 60}, {124, 24, 24}};
    EXPECT_FALSE(fitInOrder(texts, 25, 157)) << "150 pixels of text in 132";
    EXPECT_EQ(texts[0].x, 25);
    EXPECT_EQ(texts[1].x, 25 + 66) << "in order, none over another";
    texts = {{60, 48, 48}, {100, 54, 54}, {140, 24, 23}};
    EXPECT_TRUE(fitInOrder(texts, 25, 157));
    EXPECT_EQ(texts[2].x, 157 - 23) << "the last cell's blank column may fall off";
    EXPECT_EQ(texts[1].x, 157 - 23 - 54);
    EXPECT_EQ(texts[0].x, 157 - 23 - 54 - 48);
}
