#pragma once
#include <string>
#include <vector>

#include "base/dpi_scale.h"
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
    int dpi = 96;        // the font's scale for textWidth: cells of 6 and 12 designed pixels

    static int cellWidth(wchar_t c) { return c < 0x100 || (c >= 0xFF61 && c <= 0xFF9F) ? 6 : 12; }

    void drawText(render::Image& image, int x, int y, const std::wstring& text,
                  render::Colour colour) override {
        if (record) calls.push_back({&image, x, y, text, colour});
        for (wchar_t c : text) {
            image.setPixel(x, y, colour);
            x += cellWidth(c);
        }
    }

    int textWidth(const std::wstring& text) override {
        int designed = 0;
        for (wchar_t c : text) designed += cellWidth(c);
        return base::DpiScale{dpi}.px(designed);
    }

    const Call* find(const std::wstring& text) const {
        for (const Call& call : calls)
            if (call.text == text) return &call;
        return nullptr;
    }
};

}  // namespace fakes
