#pragma once
#include <string>

namespace win32 {

// Writes `bytes` to a copy beside `path` and moves the copy over the file only when every byte
// was written and flushed; otherwise the file stays as it was. A full disk never cuts it.
bool replaceFile(const std::wstring& path, const std::string& bytes);

}  // namespace win32
