#pragma once
#include <string>

#include "platform/ansi_codec.h"

namespace win32 {

// Conversions at the boundary where files, registry texts and the wire use the ANSI code page.
std::wstring fromAnsi(const std::string& bytes);
std::string toAnsi(const std::wstring& text);

class AnsiCodecWin32 : public platform::AnsiCodec {
public:
    std::string toAnsi(const std::wstring& text) override { return win32::toAnsi(text); }
    std::wstring fromAnsi(const std::string& bytes) override { return win32::fromAnsi(bytes); }
};

// The folder of the running exe, without a trailing separator.
std::wstring exePath();
std::wstring exeFolder();

}  // namespace win32
