#pragma once
#include <string>

namespace base {

// 1-based position of the first `marker` in `text` at or after `from` (1-based), letters
// compared without regard to case; 0 when absent.
size_t findNoCase(const std::wstring& text, const std::wstring& marker, size_t from = 1);

// Whether `text` begins with `prefix`, letters compared without regard to case.
bool startsWithNoCase(const std::wstring& text, const std::wstring& prefix);

// `text` with its letters folded as the searches above compare them.
std::wstring foldedCase(std::wstring text);

}  // namespace base
