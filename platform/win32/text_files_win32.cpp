#include "platform/win32/text_files_win32.h"

#include <windows.h>

#include "platform/win32/ansi.h"
#include "platform/win32/file_replace.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

// A list file is a few kilobytes; anything past this is not ours to load.
constexpr DWORD kMaxFileBytes = 64u << 20;

}  // namespace

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::optional<std::vector<std::wstring>> TextFilesWin32::readLines(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
    // A file read only in part must not pass for the whole list: it would be written back cut.
    if (size.QuadPart > kMaxFileBytes) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return std::nullopt;
    std::vector<std::wstring> lines;
    for (const std::string& line : splitLines(bytes)) lines.push_back(fromAnsi(line));
    return lines;
}

bool TextFilesWin32::exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TextFilesWin32::writeLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const std::wstring& line : lines) bytes += toAnsi(line) + "\r\n";
    return replaceFile(path, bytes);
}

}  // namespace win32
