#pragma once
#include <cstddef>
#include <string>

namespace platform {

struct ClipboardRead {
    bool opened = false;   // false: the clipboard could not be read at all
    bool hasText = false;  // it holds plain text
    std::wstring text;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The text, cut after its first `maxChars` characters.
    virtual ClipboardRead readText(size_t maxChars) = 0;
};

}  // namespace platform
