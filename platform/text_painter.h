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
};

}  // namespace platform
