#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace base {

// The standard alphabet with padding (RFC 4648).
std::string base64Encode(std::string_view bytes);
// Nothing when the text is not canonical base64; blanks around it are ignored.
std::optional<std::string> base64Decode(std::string_view text);

}  // namespace base
