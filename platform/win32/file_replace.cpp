#include "platform/win32/file_replace.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

bool writeAll(const std::wstring& path, const std::string& bytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    for (size_t at = 0; at < bytes.size();) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + at, chunk, &written, nullptr) || written == 0)
            return false;
        at += written;
    }
    LARGE_INTEGER size{};
    return FlushFileBuffers(file.get()) && GetFileSizeEx(file.get(), &size) &&
           static_cast<ULONGLONG>(size.QuadPart) == bytes.size();
}

}  // namespace

bool replaceFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring temp = path + L".tmp";
    if (writeAll(temp, bytes) &&
        MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

}  // namespace win32
