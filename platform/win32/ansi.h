#pragma once
#include <string>

namespace win32 {

// Conversions at the boundary where files, registry texts and the wire use the ANSI code page.
std::wstring fromAnsi(const std::string& bytes);
std::string toAnsi(const std::wstring& text);

// The folder of the running exe, without a trailing separator.
std::wstring exeFolder();

}  // namespace win32
