#pragma once
#include <string>

namespace platform {

// Replaces the clipboard's contents with one plain text.
class ClipboardWriter {
public:
    virtual ~ClipboardWriter() = default;
    virtual bool writeText(const std::wstring& text) = 0;
};

}  // namespace platform
