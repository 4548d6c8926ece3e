#include "platform/win32/gdi_text_painter.h"

#include "base/dpi_scale.h"

namespace win32 {

UniqueGdiObject createRowFont(int dpi) {
    return UniqueGdiObject(CreateFontW(-base::DpiScale{dpi}.px(12), 0, 0, 0, FW_NORMAL, FALSE,
                                       FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                       FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック"));
}

GdiTextPainter::GdiTextPainter() : font_(createRowFont()) {
    if (surface_.dc() && font_) oldFont_ = SelectObject(surface_.dc(), font_.get());
    SetBkMode(surface_.dc(), TRANSPARENT);
    SetTextAlign(surface_.dc(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

void GdiTextPainter::setDpi(int dpi) {
    if (dpi == dpi_) return;
    UniqueGdiObject font = createRowFont(dpi);
    if (!font || !surface_.dc()) return;
    SelectObject(surface_.dc(), font.get());
    font_ = std::move(font);
    dpi_ = dpi;
    glyphs_.clear();
}

GdiTextPainter::~GdiTextPainter() {
    if (oldFont_) SelectObject(surface_.dc(), oldFont_);
}

void GdiTextPainter::drawText(base::Image& image, int x, int y, const std::wstring& text,
                              base::Colour colour) {
    if (text.empty() || image.width() == 0 || image.height() == 0) return;
    if (!surface_.reserve(image.width(), image.height())) return;
    // Text running past the image lands in the surface's spare part and is not copied back.
    surface_.load(image);
    SetTextColor(surface_.dc(), colour);
    TextOutW(surface_.dc(), x, y, text.c_str(), static_cast<int>(text.size()));
    surface_.store(image);
}

namespace {
bool isSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }
}  // namespace

const GdiTextPainter::Glyph& GdiTextPainter::glyph(wchar_t c) {
    auto found = glyphs_.find(c);
    if (found != glyphs_.end()) return found->second;
    Glyph g;
    SIZE size{};
    if (GetTextExtentPoint32W(surface_.dc(), &c, 1, &size)) g.advance = size.cx;
    ABC abc{};
    if (GetCharABCWidthsW(surface_.dc(), c, c, &abc) && abc.abcC > 0) g.rightBlank = abc.abcC;
    return glyphs_.emplace(c, g).first->second;
}

int GdiTextPainter::textWidth(const std::wstring& text) {
    int width = 0;
    for (wchar_t c : text) {
        if (isSurrogate(c)) return measure(text).cx;  // a pair is one glyph
        width += glyph(c).advance;
    }
    return width;
}

int GdiTextPainter::inkWidth(const std::wstring& text) {
    if (text.empty()) return 0;
    const int width = textWidth(text);
    return isSurrogate(text.back()) ? width : width - glyph(text.back()).rightBlank;
}

SIZE GdiTextPainter::measure(const std::wstring& text) {
    SIZE size = {};
    GetTextExtentPoint32W(surface_.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace win32
