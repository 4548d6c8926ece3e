#include "render/rounding.h"

#include <cmath>

namespace render {

std::int64_t roundHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    double floor = std::floor(value);
    double rest = value - floor;
    double result = floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1;
    if (result >= 9.2e18) return INT64_MAX;
    if (result <= -9.2e18) return INT64_MIN;
    return static_cast<std::int64_t>(result);
}

int barWidthFor(double percent) {
    std::int64_t width = roundHalfEven(kRowWidth * percent / 100.0);
    // Far beyond the row either way is the same picture; keep it an int.
    if (width > 1000000) return 1000000;
    if (width < -1000000) return -1000000;
    return static_cast<int>(width);
}

}  // namespace render
