#include "render/gradient.h"

#include <algorithm>
#include <cwctype>

#include "render/draw.h"
#include "render/rounding.h"
#include "settings/display_catalogue.h"

namespace render {

namespace {

constexpr int kBorder = 2;  // the strips' sunken border, on each side
const wchar_t* const kWhiteText = L"16777215";

}  // namespace

Colour colourFromText(const std::wstring& text, const SystemColours& system) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - L'0'), 0x80000000LL);
    // Stored values are 32-bit: a negative one has its top bit set and names a system colour.
    // Larger texts are held at the 32-bit limits.
    auto value =
        static_cast<std::uint32_t>(negative ? -magnitude : std::min(magnitude, 0x7FFFFFFFLL));
    return resolveColour(static_cast<std::int32_t>(value), system);
}

Colour resolveColour(std::int32_t stored, const SystemColours& system) {
    auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return system ? system(static_cast<int>(value & 0xFF)) : 0;
    return value & 0xFFFFFF;
}

BarStrips::BarStrips() {
    for (Image& strip : items) strip.resize(kRowWidth, kRowHeight);
    for (Image& strip : drives) strip.resize(kRowWidth, kRowHeight);
}

void paintGradient(Image& preview, Colour start, Colour end) {
    const int outerHeight = preview.height() + 2 * kBorder;
    const int steps = preview.height() * kRowHeight;
    const int s[3] = {int(start & 0xFF), int((start >> 8) & 0xFF), int((start >> 16) & 0xFF)};
    const int e[3] = {int(end & 0xFF), int((end >> 8) & 0xFF), int((end >> 16) & 0xFF)};
    float step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = static_cast<float>(e[c] - s[c]) / static_cast<float>(steps);
    // Columns beyond the image would be clipped anyway.
    for (int i = 0; i < std::min(steps, preview.width()); ++i) {
        int channel[3];
        for (int c = 0; c < 3; ++c)
            channel[c] = static_cast<int>(std::clamp<std::int64_t>(
                roundHalfEven(static_cast<double>(i * step[c]) + s[c]), 0, 255));
        drawLine(preview, i, 0, i, outerHeight - 1, rgb(channel[0], channel[1], channel[2]));
    }
}

namespace {

void paintInto(Image& strip, std::wstring& startText, std::wstring& endText, Image& preview,
               const SystemColours& system) {
    // An empty colour is white, and is kept (and later saved) as white.
    if (startText.empty()) startText = kWhiteText;
    if (endText.empty()) endText = kWhiteText;
    paintGradient(preview, colourFromText(startText, system), colourFromText(endText, system));
    copyBlock(strip, 0, 0, 213, 17, preview, 0, 0);
}

}  // namespace

GradientCaptions showItemGradient(int id, std::wstring& startText, std::wstring& endText,
                                  Image& preview, BarStrips& strips, const SystemColours& system) {
    if (!settings::isMeterItem(static_cast<settings::Item>(id))) {
        preview.clear();
        return {L"色変更不可", L"色変更不可"};
    }
    paintInto(strips.items[id - 100], startText, endText, preview, system);
    return {L"開始色", L"終点色"};
}

void showDriveGradient(int k, std::wstring& startText, std::wstring& endText, Image& preview,
                       BarStrips& strips, const SystemColours& system) {
    if (k < 1 || k > static_cast<int>(settings::kDriveSlots)) return;
    paintInto(strips.drives[k - 1], startText, endText, preview, system);
}

}  // namespace render
