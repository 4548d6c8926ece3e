#pragma once
#include <cstdint>
#include <functional>
#include <optional>

namespace ui::options {

// Which colour of a row a colour button sets: "開始色", "終点色", or "単色" (both, a bar of one
// colour).
enum class ColourTarget { Start, End, Both };

// Opens the colour dialog; nothing when the user cancels.
using ColourPicker = std::function<std::optional<std::int32_t>()>;

inline void setColours(ColourTarget target, std::int32_t chosen, std::int32_t& start,
                       std::int32_t& end) {
    if (target != ColourTarget::End) start = chosen;
    if (target != ColourTarget::Start) end = chosen;
}

}  // namespace ui::options
