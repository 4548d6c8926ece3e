#pragma once
#include <cstdint>

namespace render {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2): the rule for
// pixel widths and percentages.
std::int64_t roundHalfEven(double value);

constexpr int kRowWidth = 157;
constexpr int kRowHeight = 13;

// Width in pixels of a bar showing `percent` of a full row; not clamped, a row clips it.
int barWidthFor(double percent);

}  // namespace render
