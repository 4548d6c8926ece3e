#pragma once
#include <string>

namespace base {

// 1-based position of the first `marker` in `text` at or after `from` (1-based), letters
// compared without regard to case; 0 when absent.
size_t findNoCase(const std::wstring& text, const std::wstring& marker, size_t from = 1);

// Whether `text` begins with `prefix`, letters compared without regard to case.
bool startsWithNoCase(const std::wstring& text, const std::wstring& prefix);

}  // namespace base
