#pragma once
#include <string>

#include "base/image.h"

namespace platform {

// Draws text into an off-screen image with the row font: a Japanese fixed-pitch face whose
// half-width cells are 6 px and full-width cells 12 px wide, 13 px high. Transparent background.
class TextPainter {
public:
    virtual ~TextPainter() = default;
    virtual void drawText(base::Image& image, int x, int y, const std::wstring& text,
                          base::Colour colour) = 0;
    // The width in pixels the text takes in the font drawText uses now.
    virtual int textWidth(const std::wstring& text) = 0;
    // The width up to the last column the text's last character inks: less than textWidth by
    // the blank columns that character's cell keeps at its right.
    virtual int inkWidth(const std::wstring& text) { return textWidth(text); }
};

}  // namespace platform
