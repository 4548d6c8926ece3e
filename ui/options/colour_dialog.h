#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

namespace ui::options {

// The system's colour dialog, starting at `initial`; nothing when the user cancels.
std::optional<std::int32_t> chooseColour(HWND owner, std::int32_t initial);

}  // namespace ui::options
