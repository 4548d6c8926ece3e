#pragma once
#include <concepts>
#include <cstdint>
#include <string>

namespace render {

// The separators of the user's locale that a pattern's "," and "." stand for.
struct NumberSymbols {
    std::wstring grouping = L",";
    std::wstring decimal = L".";
};

// Formats a number by a pattern of "0" (digit always shown), "#" (digit if present), ","
// (thousands grouping), "." (decimal point) and literal characters, e.g. "#,##0", "00",
// "##GB ###.00", "##,##0.#0". Whole digits beyond the pattern's places all go to its first
// digit place; decimals are rounded half away from zero to the pattern's places.
std::wstring formatNumber(double value, const std::wstring& pattern,
                          const NumberSymbols& symbols = {});
// Exact for whole numbers of any size (byte totals).
std::wstring formatWholeNumber(std::int64_t value, const std::wstring& pattern,
                               const NumberSymbols& symbols = {});
template <std::integral T>
std::wstring formatNumber(T value, const std::wstring& pattern, const NumberSymbols& symbols = {}) {
    return formatWholeNumber(static_cast<std::int64_t>(value), pattern, symbols);
}

}  // namespace render
