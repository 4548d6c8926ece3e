#pragma once
#include <string>
#include <vector>

#include "platform/text_painter.h"

namespace fakes {

// Records every text drawn and marks the top-left pixel of each character cell in the text's
// colour, with the row font's cell widths (6 px half-width, 12 px full-width).
class FakeTextPainter : public platform::TextPainter {
public:
    struct Call {
        const render::Image* image;
        int x;
        int y;
        std::wstring text;
        render::Colour colour;
    };
    std::vector<Call> calls;
    bool record = true;  // off for long runs

    static int cellWidth(wchar_t c) { return c < 0x100 || (c >= 0xFF61 && c <= 0xFF9F) ? 6 : 12; }

    void drawText(render::Image& image, int x, int y, const std::wstring& text,
                  render::Colour colour) override {
        if (record) calls.push_back({&image, x, y, text, colour});
        for (wchar_t c : text) {
            image.setPixel(x, y, colour);
            x += cellWidth(c);
        }
    }

    const Call* find(const std::wstring& text) const {
        for (const Call& call : calls)
            if (call.text == text) return &call;
        return nullptr;
    }
};

}  // namespace fakes
