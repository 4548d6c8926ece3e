#pragma once
#include <string_view>

namespace platform {

// The number a profile value begins with (after blanks, an optional sign), as the profile
// file's integer read gives it: 0 when there is none, and a number beyond the 32-bit range
// clamped to its nearest end instead of wrapping around.
int leadingInt32(std::wstring_view text);

}  // namespace platform
