#pragma once
#include <cstdint>
#include <string>

namespace settings {

constexpr size_t kColourFieldChars = 11;

// Field i (0-based) of a packed colour string: the 11 characters from 12 * i; empty past the end.
std::wstring colourField(const std::wstring& packed, size_t i);

// A colour from its signed decimal text: blanks, a sign, digits; whatever follows is ignored, so
// empty or unreadable text is 0 (black). Numbers beyond 32 bits are held at the limits.
std::int32_t parseColour(const std::wstring& text);

// A colour cell as the writer stores it: the decimal left-padded with "0" to 11 characters, a
// minus sign ahead of the padding.
std::wstring colourCell(std::int32_t colour);

std::wstring trimBlanks(const std::wstring& text);

}  // namespace settings
