#pragma once
#include <string>

namespace settings {

// The name under which the copy of the program that owns a settings file can be found: one per
// file, the same whatever the letter case or the separators of the path it was started with.
std::wstring copyLockName(const std::wstring& iniPath);

}  // namespace settings
