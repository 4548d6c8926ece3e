#pragma once
#include <string>

#include "platform/registry.h"

namespace features {

// Windows starts a program at log-on when a value under this key of the current user holds its
// command. The registry value is the only record of the choice.
inline const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const wchar_t* const kRunValueName = L"KorvaNT";

// What the value holds for an exe: its full path in quotes.
std::wstring runCommandFor(const std::wstring& exePath);

// Whether the value exists and names this exe (a value naming another copy does not count).
bool startsWithWindows(platform::Registry& registry, const std::wstring& exePath);

// Adds the value for this exe (replacing one that names another) or removes it. Returns whether
// the registry now says what was asked.
bool setStartWithWindows(platform::Registry& registry, const std::wstring& exePath, bool on);

}  // namespace features
