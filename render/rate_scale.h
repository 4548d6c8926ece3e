#pragma once
#include <algorithm>
#include <cstdint>

#include "settings/settings.h"

namespace render {

// The full scale of a rate's bar and graph: the speed slider in steps of 8 Kbyte/s or
// 64 Kbit/s; a slider at 0 counts as one step, so there is always a scale to divide by.
constexpr std::int64_t rateFullScale(int slider, int rateUnit) {
    return static_cast<std::int64_t>(std::max(1, slider)) *
           (rateUnit == settings::kKilobitsPerSecond ? 64 : 8);
}

}  // namespace render
