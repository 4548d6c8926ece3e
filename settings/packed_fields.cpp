#include "settings/packed_fields.h"

#include <algorithm>
#include <cwctype>

namespace settings {

std::wstring colourField(const std::wstring& packed, size_t i) {
    size_t start = i * (kColourFieldChars + 1);
    if (start >= packed.size()) return {};
    return packed.substr(start, kColourFieldChars);
}

std::int32_t parseColour(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - L'0'), 0x80000000LL);
    return static_cast<std::int32_t>(negative ? -magnitude : std::min(magnitude, 0x7FFFFFFFLL));
}

std::wstring trimBlanks(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::wstring colourCell(std::int32_t colour) {
    std::wstring digits = std::to_wstring(colour);
    if (digits.size() >= kColourFieldChars) return digits;
    std::wstring zeros(kColourFieldChars - digits.size(), L'0');
    // The sign goes before the zeros: "0000000-214" would read back as 0.
    if (colour < 0) return L'-' + zeros + digits.substr(1);
    return zeros + digits;
}

}  // namespace settings
