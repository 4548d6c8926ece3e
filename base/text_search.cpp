#include "base/text_search.h"

namespace base {
namespace {

// Folds the Latin letters, half- and full-width, the way the markers and proxy names need.
wchar_t fold(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
    if (c >= L'Ａ' && c <= L'Ｚ') return static_cast<wchar_t>(c - L'Ａ' + L'ａ');
    return c;
}

bool matchesAt(const std::wstring& text, size_t at, const std::wstring& marker) {
    for (size_t i = 0; i < marker.size(); ++i)
        if (fold(text[at + i]) != fold(marker[i])) return false;
    return true;
}

}  // namespace

size_t findNoCase(const std::wstring& text, const std::wstring& marker, size_t from) {
    if (from == 0) from = 1;
    if (marker.empty()) return from <= text.size() + 1 ? from : 0;
    if (text.size() < marker.size()) return 0;
    for (size_t at = from - 1; at + marker.size() <= text.size(); ++at)
        if (matchesAt(text, at, marker)) return at + 1;
    return 0;
}

bool startsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && matchesAt(text, 0, prefix);
}

std::wstring foldedCase(std::wstring text) {
    for (wchar_t& c : text) c = fold(c);
    return text;
}

}  // namespace base
