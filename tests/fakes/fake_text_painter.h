#pragma once
#include <vector>

#include "platform/text_painter.h"

namespace fakes {

// Records every text drawn, and marks its start pixel so a composed image shows where it went.
class FakeTextPainter : public platform::TextPainter {
public:
    struct Call {
        const render::Image* image;
        int x, y;
        std::wstring text;
        render::Colour colour;
    };
    std::vector<Call> calls;
    bool record = true;

    void drawText(render::Image& image, int x, int y, const std::wstring& text,
                  render::Colour colour) override {
        if (record) calls.push_back({&image, x, y, text, colour});
        image.setPixel(x, y, colour);
    }
    const Call* find(const std::wstring& text) const {
        for (const Call& c : calls)
            if (c.text == text) return &c;
        return nullptr;
    }
};

}  // namespace fakes
