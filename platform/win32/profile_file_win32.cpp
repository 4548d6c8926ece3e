#include "platform/win32/profile_file_win32.h"

#include <windows.h>

#include "platform/profile_number.h"

namespace win32 {
namespace {

constexpr size_t kLongestValue = 32 * 1024;

}  // namespace

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
    // Grown until the value fits (a protected token is longer than most values); the settings
    // reader cuts its own keys to the length it always read.
    std::wstring buffer(512, L'\0');
    for (;;) {
        DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()), path_.c_str());
        if (n + 1 < buffer.size() || buffer.size() >= kLongestValue) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

bool ProfileFileWin32::write(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str());
}

bool ProfileFileWin32::remove(const std::wstring& section, const std::wstring& key) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, path_.c_str());
}

}  // namespace win32
