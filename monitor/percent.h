#pragma once
#include <cstdint>

namespace monitor {

// numerator / denominator to the nearest integer, halves to even, computed exactly; 0 when
// the denominator is 0 or the numerator negative.
constexpr std::int64_t quotientHalfEven(std::int64_t numerator, std::int64_t denominator) {
    if (denominator <= 0 || numerator < 0) return 0;
    std::int64_t q = numerator / denominator;
    std::int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && q % 2 == 1)) ++q;
    return q;
}

// part / whole as a whole percentage, rounded as above.
constexpr int percentHalfEven(std::int64_t part, std::int64_t whole) {
    return static_cast<int>(quotientHalfEven(part * 100, whole));
}

}  // namespace monitor
