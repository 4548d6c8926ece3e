#include "platform/win32/gdi_text_painter.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/dib_surface.h"
#include "platform/win32/list_presenter.h"
#include "render/draw.h"

using render::Image;
using render::rgb;

namespace {

constexpr render::Colour kBack = rgb(240, 240, 240);
constexpr render::Colour kText = rgb(200, 0, 0);

// The bounding box of the pixels of one colour; empty (left > right) when there are none.
RECT inkBox(const Image& image, render::Colour colour) {
    RECT box = {image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
    return box;
}

}  // namespace

TEST(GdiTextPainter, RowFontCellsAreSixAndTwelvePixels) {
    win32::GdiTextPainter painter;
    SIZE a = painter.measure(L"A");
    EXPECT_EQ(a.cx, 6);
    EXPECT_EQ(a.cy, 13);
    SIZE me = painter.measure(L"メ");
    EXPECT_EQ(me.cx, 12);
    EXPECT_EQ(me.cy, 13);
    EXPECT_EQ(painter.measure(L"100%").cx, 24);
    EXPECT_EQ(painter.measure(L"ＣＰＵ使用率").cx, 72);
}

TEST(GdiTextPainter, WidthsFromCharactersAgreeWithTheWholeTextAtEveryScale) {
    win32::GdiTextPainter painter;
    // The ink ends where the last glyph's cell keeps no more blank columns, as GDI says of it.
    HDC dc = CreateCompatibleDC(nullptr);
    auto blankAfter = [dc](wchar_t c, int dpi) {
        win32::UniqueGdiObject font = win32::createRowFont(dpi);
        HGDIOBJ old = SelectObject(dc, font.get());
        ABC abc{};
        GetCharABCWidthsW(dc, c, c, &abc);
        SelectObject(dc, old);
        return std::max(0, abc.abcC);
    };
    const std::wstring texts[] = {
        L"A",   L"CPU使用率  54%", L"ＭＥＭ 1,023.5MB/16GB", L"受 12.3KB/秒",
        L"ｶﾅ…", L"\U0001F600 x"};
    for (int dpi : {96, 144, 192, 96}) {
        painter.setDpi(dpi);
        EXPECT_EQ(painter.textWidth(L""), 0);
        for (const std::wstring& text : texts) {
            const int width = painter.measure(text).cx;
            EXPECT_EQ(painter.textWidth(text), width) << dpi;
            EXPECT_EQ(painter.inkWidth(text), width - blankAfter(text.back(), dpi)) << dpi;
        }
    }
    DeleteDC(dc);
}

TEST(GdiTextPainter, TextLandsInItsCellsInTheTextColour) {
    win32::GdiTextPainter painter;
    Image row(157, 13, kBack);
    painter.drawText(row, 5, 1, L"A", kText);
    RECT box = inkBox(row, kText);
    ASSERT_LE(box.left, box.right) << "no text pixels";
    EXPECT_GE(box.left, 5);
    EXPECT_LT(box.right, 11);
    EXPECT_GE(box.top, 1);
    EXPECT_LE(box.bottom, 13);
    // Crisp text: every pixel is background or the text colour.
    int ink = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 157; ++x) {
            render::Colour c = row.pixel(x, y);
            ASSERT_TRUE(c == kBack || c == kText) << x << "," << y;
            ink += c == kText;
        }
    EXPECT_GT(ink, 5);

    Image wide(157, 13, kBack);
    painter.drawText(wide, 100, 1, L"メ", kText);
    box = inkBox(wide, kText);
    ASSERT_LE(box.left, box.right);
    EXPECT_GE(box.left, 100);
    EXPECT_LT(box.right, 112);
    EXPECT_GT(box.right, 105);  // a full-width glyph reaches into its second half
}

TEST(GdiTextPainter, BackgroundStaysAndTextClipsAtTheEdges) {
    win32::GdiTextPainter painter;
    // A bar under the text: transparent text leaves it where no glyph pixel falls.
    Image row(157, 13, kBack);
    render::fillBox(row, 0, 0, 78, 12, rgb(0, 255, 0));
    painter.drawText(row, 5, 1, L"ＣＰＵ使用率", rgb(0, 0, 128));
    EXPECT_EQ(row.pixel(0, 0), rgb(0, 255, 0));
    EXPECT_EQ(row.pixel(78, 0), rgb(0, 255, 0));
    EXPECT_EQ(row.pixel(79, 0), kBack);
    RECT box = inkBox(row, rgb(0, 0, 128));
    EXPECT_GE(box.left, 5);
    EXPECT_LT(box.right, 5 + 72);

    // A value text starting left of the row loses its first characters only.
    Image clipped(157, 13, kBack);
    painter.drawText(clipped, -30, 1, L"1234567890", kText);
    box = inkBox(clipped, kText);
    EXPECT_EQ(box.left >= 0 && box.left < 4, true);
    EXPECT_LT(box.right, 30);

    // A larger image first, then a smaller one: the surface is reused, nothing bleeds over.
    Image memo(157, 39, kBack);
    painter.drawText(memo, 5, 26, L"third", kText);
    EXPECT_GE(inkBox(memo, kText).top, 26);
    Image small(20, 13, kBack);
    painter.drawText(small, 10, 1, L"ABCDEFGH", kText);
    EXPECT_LT(inkBox(small, kText).right, 20);
    EXPECT_GE(inkBox(small, kText).left, 10);
}

TEST(GdiTextPainter, NoGdiObjectOutlivesItsUse) {
    // GDI gives a process about 65,000 objects: leaking one per call, per painter or per
    // presentation would make the last ones fail and draw nothing.
    constexpr int kRounds = 70000;
    win32::GdiTextPainter painter;
    Image row(157, 13, kBack);
    for (int i = 0; i < kRounds; ++i) painter.drawText(row, 5, 1, L"A", kText);
    for (int i = 0; i < kRounds / 3; ++i) {
        win32::GdiTextPainter shortLived;
        shortLived.drawText(row, 5, 1, L"A", kText);
    }
    win32::ListPresenter presenter;
    win32::DibSurface target;
    ASSERT_TRUE(target.reserve(170, 80));
    for (int i = 0; i < kRounds / 2; ++i)
        presenter.present(target.dc(), row, 13, false, 170, 80, RGB(0, 0, 255));

    Image fresh(157, 13, kBack);
    painter.drawText(fresh, 5, 1, L"A", kText);
    RECT box = inkBox(fresh, kText);
    EXPECT_LE(box.left, box.right) << "text no longer drawn";
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_NE(brush, nullptr);
    DeleteObject(brush);
}

namespace {

// A window-sized target to present into, read back as an image.
struct Target {
    win32::DibSurface surface;
    Target(int w, int h) {
        surface.reserve(w, h);
        Image blank(w, h, rgb(9, 9, 9));
        surface.load(blank);
    }
    Image read(int w, int h) {
        Image out(w, h);
        surface.store(out);
        return out;
    }
};

Image numberedList() {
    Image list(158, 200, rgb(1, 1, 1));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 158; ++x) list.setPixel(x, y, rgb(x, y, 7));
    return list;
}

}  // namespace

TEST(ListPresenter, FixedModeCopiesOneToOne) {
    Image list = numberedList();
    Target target(170, 80);
    win32::ListPresenter presenter;
    presenter.present(target.surface.dc(), list, 70, false, 170, 80, RGB(0, 0, 255));
    Image shown = target.read(170, 80);
    EXPECT_EQ(shown.pixel(0, 0), rgb(0, 0, 7));
    EXPECT_EQ(shown.pixel(157, 69), rgb(157, 69, 7));
    EXPECT_EQ(shown.pixel(100, 79), rgb(100, 79, 7));  // 1:1 over the client area
    EXPECT_EQ(shown.pixel(158, 0), rgb(0, 0, 255));    // beyond the list: the background
    EXPECT_EQ(shown.pixel(169, 79), rgb(0, 0, 255));

    // Between ticks only the changed rows reach the target: a row the list did not change keeps
    // what the target holds, a changed row anywhere (here rows 3 and 60) is copied in full.
    EXPECT_FALSE(presenter.changed(list, 70, false, 170, 80, RGB(0, 0, 255)));
    EXPECT_TRUE(presenter.changed(list, 70, false, 170, 81, RGB(0, 0, 255))) << "new size";
    Image marked(170, 80);
    marked = target.read(170, 80);
    marked.setPixel(10, 30, rgb(200, 0, 0));
    target.surface.load(marked);
    list.setPixel(5, 3, rgb(0, 255, 0));
    list.setPixel(150, 60, rgb(0, 0, 254));
    EXPECT_TRUE(presenter.changed(list, 70, false, 170, 80, RGB(0, 0, 255)));
    presenter.present(target.surface.dc(), list, 70, false, 170, 80, RGB(0, 0, 255), false);
    shown = target.read(170, 80);
    EXPECT_EQ(shown.pixel(5, 3), rgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(150, 60), rgb(0, 0, 254));
    EXPECT_EQ(shown.pixel(10, 30), rgb(200, 0, 0)) << "an unchanged row is not copied again";
    // Drawing it whole (a paint message) copies everything again.
    presenter.present(target.surface.dc(), list, 70, false, 170, 80, RGB(0, 0, 255));
    EXPECT_EQ(target.read(170, 80).pixel(10, 30), rgb(10, 30, 7));
}

TEST(ListPresenter, VariableModeStretchesTheComposedRows) {
    Image list = numberedList();
    Target target(316, 140);
    win32::ListPresenter presenter;
    presenter.present(target.surface.dc(), list, 70, true, 316, 140, RGB(0, 0, 255));
    Image shown = target.read(316, 140);
    // 158 x 70 onto 316 x 140: every list pixel becomes a 2 x 2 block.
    for (int y : {0, 1, 50, 139})
        for (int x : {0, 1, 101, 315})
            EXPECT_EQ(shown.pixel(x, y), rgb(x / 2, y / 2, 7)) << x << "," << y;

    // An empty list leaves an empty window.
    presenter.present(target.surface.dc(), list, 0, true, 316, 140, RGB(0, 0, 255));
    EXPECT_EQ(target.read(316, 140).pixel(150, 70), rgb(0, 0, 255));
}
