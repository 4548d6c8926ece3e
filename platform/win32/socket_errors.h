#pragma once
#include <string>

namespace win32 {

// A Winsock error number as the user reads it: the system's text in the interface's language,
// or the program's own where the system has none (Wine has none).
std::wstring describeSocketError(int number);

}  // namespace win32
