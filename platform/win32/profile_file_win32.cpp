#include "platform/win32/profile_file_win32.h"

#include <windows.h>

namespace win32 {

int ProfileFileWin32::getInt(const std::wstring& section, const std::wstring& key, int def) {
    return static_cast<int>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), def, path_.c_str()));
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
