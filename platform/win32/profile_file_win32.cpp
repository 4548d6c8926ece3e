#include "platform/win32/profile_file_win32.h"

#include <windows.h>

#include "platform/profile_number.h"

namespace win32 {

int ProfileFileWin32::getInt(const std::wstring& section, const std::wstring& key, int def) {
    // Parsed here rather than by GetPrivateProfileIntW, which wraps numbers beyond 32 bits.
    wchar_t buffer[512] = {};
    DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer,
                                       static_cast<DWORD>(std::size(buffer)), path_.c_str());
    if (n == 0) return def;  // missing or empty, as the integer read has it
    return platform::leadingInt32(std::wstring_view(buffer, n));
}

std::wstring ProfileFileWin32::getString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& def) {
    wchar_t buffer[500] = {};
    DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer,
                                       static_cast<DWORD>(std::size(buffer)), path_.c_str());
    return std::wstring(buffer, n);
}

bool ProfileFileWin32::write(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str());
}

bool ProfileFileWin32::remove(const std::wstring& section, const std::wstring& key) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, path_.c_str());
}

}  // namespace win32
