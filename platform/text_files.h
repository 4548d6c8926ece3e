#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/text_encoding.h"

namespace platform {

// A text file's lines as read: those before the first line its encoding cannot decode; and the
// encoding to write them back in.
struct TextFileLines {
    std::vector<std::wstring> lines;
    TextEncoding encoding = TextEncoding::Ansi;
    // False when a line could not be decoded: the lines after it are missing.
    bool whole = true;
};

// Plain text files, lines ended by CR LF: in the system's ANSI code page, or in the Unicode
// encoding their byte-order mark announces.
class TextFiles {
public:
    virtual ~TextFiles() = default;
    // The lines without their ends; nullopt when the file cannot be opened or read whole.
    virtual std::optional<TextFileLines> readLines(const std::wstring& path) = 0;
    // Whether something is at the path, readable or not.
    virtual bool exists(const std::wstring& path) = 0;
    // Replaces the file whole, every line ended by CR LF; on failure the file stays as it was.
    virtual bool writeLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                            TextEncoding encoding) = 0;
};

}  // namespace platform
