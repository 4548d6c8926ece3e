#include "platform/win32/text_files_win32.h"

#include <windows.h>

#include "platform/win32/file_replace.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

// A list file is a few kilobytes; anything past this is not ours to load.
constexpr DWORD kMaxFileBytes = 64u << 20;

}  // namespace

std::optional<platform::TextFileLines> TextFilesWin32::readLines(const std::wstring& path) {
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
    platform::TextFileLines result;
    result.encoding = platform::encodingOf(bytes);
    std::string_view body(bytes);
    body.remove_prefix(platform::byteOrderMark(result.encoding).size());
    std::vector<platform::EncodedLine> lines = platform::splitEncodedLines(body, result.encoding);
    result.lines.reserve(lines.size());
    for (const platform::EncodedLine& line : lines) {
        std::optional<std::wstring> text = decodeText(line.bytes, result.encoding);
        if (!text) {
            result.whole = false;
            break;
        }
        result.lines.push_back(std::move(*text));
    }
    return result;
}

bool TextFilesWin32::exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TextFilesWin32::writeLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                                platform::TextEncoding encoding) {
    std::string bytes = platform::byteOrderMark(encoding);
    const std::string lineEnd = encodeText(L"\r\n", encoding);
    for (const std::wstring& line : lines) bytes += encodeText(line, encoding) + lineEnd;
    return replaceFile(path, bytes);
}

}  // namespace win32
