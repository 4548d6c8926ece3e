#pragma once
#include <windows.h>

#include "platform/text_painter.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

// Prints row texts with GDI in the row font ("ＭＳ ゴシック", 12 px high; IPAGothic under Wine):
// the image's pixels are copied into a 32-bit top-down DIB section, the text drawn with a
// transparent background, and the pixels copied back.
class GdiTextPainter : public platform::TextPainter {
public:
    GdiTextPainter();
    ~GdiTextPainter() override;
    GdiTextPainter(const GdiTextPainter&) = delete;
    GdiTextPainter& operator=(const GdiTextPainter&) = delete;

    void drawText(render::Image& image, int x, int y, const std::wstring& text,
                  render::Colour colour) override;

    // Width and height in pixels of a text in the row font.
    SIZE measure(const std::wstring& text);

private:
    bool ensureSurface(int width, int height);

    UniqueMemoryDc dc_;
    UniqueGdiObject font_;
    UniqueGdiObject bitmap_;
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// One BitBlt (fixed size) of the top `listHeight` rows of the list image to the client area, or
// one StretchBlt of its 158 x listHeight pixels onto the client area (window size variable).
void presentImage(HDC target, const render::Image& list, int listHeight, bool stretch,
                  int clientWidth, int clientHeight);

}  // namespace win32
