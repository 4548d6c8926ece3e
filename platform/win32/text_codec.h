#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace win32 {

// One line's bytes in `encoding` as text; nothing when the encoding cannot decode them (for
// ANSI: bytes the system's code page has no character for).
std::optional<std::wstring> decodeText(std::string_view bytes, platform::TextEncoding encoding);
// Text into `encoding`'s bytes; characters ANSI cannot hold become its default character.
std::string encodeText(std::wstring_view text, platform::TextEncoding encoding);

}  // namespace win32
