#pragma once
#include <string>

namespace platform {

// The system's ANSI code page, for texts that cross a boundary in it (the clipboard link's wire).
class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;
    virtual std::string toAnsi(const std::wstring& text) = 0;
    virtual std::wstring fromAnsi(const std::string& bytes) = 0;
};

}  // namespace platform
