#include "settings/copy_lock_name.h"

#include <cstdint>
#include <cwchar>

namespace settings {

std::wstring copyLockName(const std::wstring& iniPath) {
    // A hash, not the path itself: object names may not hold a backslash and are short.
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : iniPath) {
        if (c == L'/') c = L'\\';
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    wchar_t digits[17];
    std::swprintf(digits, 17, L"%016llx", static_cast<unsigned long long>(hash));
    return std::wstring(L"KorvaNT.Settings.") + digits;
}

}  // namespace settings
