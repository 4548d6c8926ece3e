#pragma once
#include <windows.h>

#include <unordered_map>

#include "platform/text_painter.h"
#include "platform/win32/dib_surface.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

// The row font: "ＭＳ ゴシック" 12 px, 6 px a half-width cell (IPAGothic under Wine); at another
// DPI the font of that scale's size, so that text is drawn crisp rather than stretched.
UniqueGdiObject createRowFont(int dpi = 96);

// Prints row texts with GDI in the row font ("ＭＳ ゴシック" 12 px; IPAGothic under Wine), crisp
// (not antialiased) in the given colour on a transparent background.
class GdiTextPainter : public platform::TextPainter {
public:
    GdiTextPainter();
    ~GdiTextPainter() override;

    void drawText(base::Image& image, int x, int y, const std::wstring& text,
                  base::Colour colour) override;
    // Both from the characters' advances and bearings, asked of GDI once per character: rows
    // are measured on every repaint, and the font has neither kerning nor extra spacing.
    int textWidth(const std::wstring& text) override;
    int inkWidth(const std::wstring& text) override;

    // The row font at a window's DPI from now on.
    void setDpi(int dpi);

    // Width and height in pixels of a text in the row font.
    SIZE measure(const std::wstring& text);

private:
    struct Glyph {
        int advance = 0;
        int rightBlank = 0;  // blank columns the cell keeps at its right
    };
    const Glyph& glyph(wchar_t c);

    DibSurface surface_;
    std::unordered_map<wchar_t, Glyph> glyphs_;
    UniqueGdiObject font_;
    HGDIOBJ oldFont_ = nullptr;
    int dpi_ = 96;
};

}  // namespace win32
