#pragma once
#include <string>

namespace settings {

constexpr size_t kColourFieldChars = 11;

// Field i (0-based) of a packed colour string: the 11 characters from 12 * i; empty past the end.
std::wstring colourField(const std::wstring& packed, size_t i);

// A colour cell as the writer stores it: blanks removed, left-padded with "0" to 11 characters.
std::wstring padColour(const std::wstring& cell);

std::wstring trimBlanks(const std::wstring& text);

}  // namespace settings
