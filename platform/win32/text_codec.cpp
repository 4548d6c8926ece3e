#include "platform/win32/text_codec.h"

#include <windows.h>

#include "platform/win32/ansi.h"

namespace win32 {

std::optional<std::wstring> decodeText(std::string_view bytes, platform::TextEncoding encoding) {
    if (encoding != platform::TextEncoding::Ansi) return platform::decodeUnicode(bytes, encoding);
    // Every ANSI code page reads the first 128 bytes as ASCII: most lines need no call.
    bool ascii = true;
    for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::wstring(bytes.begin(), bytes.end());
    int size = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), n);
    return text;
}

std::string encodeText(std::wstring_view text, platform::TextEncoding encoding) {
    if (encoding != platform::TextEncoding::Ansi) return platform::encodeUnicode(text, encoding);
    return toAnsi(std::wstring(text));
}

}  // namespace win32
