#include "settings/packed_fields.h"

namespace settings {

std::wstring colourField(const std::wstring& packed, size_t i) {
    size_t start = i * (kColourFieldChars + 1);
    if (start >= packed.size()) return {};
    return packed.substr(start, kColourFieldChars);
}

std::wstring trimBlanks(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::wstring padColour(const std::wstring& cell) {
    std::wstring trimmed = trimBlanks(cell);
    if (trimmed.size() >= kColourFieldChars) return trimmed;
    return std::wstring(kColourFieldChars - trimmed.size(), L'0') + trimmed;
}

}  // namespace settings
