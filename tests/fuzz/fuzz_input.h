#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// Text as a double-byte ANSI code page gives it: a byte below 0x80 is one character; a higher
// byte takes the next two as one 16-bit character, so any UTF-16 unit (as on Windows) can occur.
inline std::wstring wideText(std::string_view bytes) {
    std::wstring text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 || i + 2 >= bytes.size()) {
            text += static_cast<wchar_t>(b);
            continue;
        }
        auto high = static_cast<unsigned char>(bytes[++i]);
        auto low = static_cast<unsigned char>(bytes[++i]);
        text += static_cast<wchar_t>(high << 8 | low);
    }
    return text;
}

// A broken promise of the code under test: reported like a sanitizer finding.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

}  // namespace fuzz
