#pragma once
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
    virtual ClipboardRead readText() = 0;
};

}  // namespace platform
