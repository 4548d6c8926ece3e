#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// How a text file is written: the system's ANSI code page, or a Unicode form the file announces
// with its byte-order mark.
enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// The encoding a file's first bytes announce; ANSI when they announce none.
TextEncoding encodingOf(std::string_view bytes);
// The byte-order mark a file in `encoding` starts with; empty for ANSI.
std::string byteOrderMark(TextEncoding encoding);

// One line of a file as it stands in the file: its bytes, and the line end that followed them
// (empty for a last line without one).
struct EncodedLine {
    std::string_view bytes;
    std::string_view end;
};
// The lines of a file's bytes after its byte-order mark: CR LF, a lone CR and a lone LF each end
// a line, in the code units of `encoding`; the last line needs no end.
std::vector<EncodedLine> splitEncodedLines(std::string_view body, TextEncoding encoding);

// A Unicode encoding's bytes as text; nothing when they are no valid text in it.
std::optional<std::wstring> decodeUnicode(std::string_view bytes, TextEncoding encoding);
// Text into a Unicode encoding's bytes.
std::string encodeUnicode(std::wstring_view text, TextEncoding encoding);

}  // namespace platform
