#include <windows.h>

#include <optional>
#include <string>

#include "platform/profile_text.h"
#include "platform/win32/ansi.h"
#include "platform/win32/file_replace.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

// Drops the profile functions' cached copy of a file, so that the next read comes from disk.
void dropCached(const std::wstring& path) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

// The file's bytes: empty when it is missing, nothing when it is there but cannot be read whole.
std::optional<std::string> readWhole(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (1ll << 30)) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    for (size_t at = 0; at < bytes.size();) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 24));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + at, chunk, &read, nullptr) || read == 0)
            return std::nullopt;
        at += read;
    }
    return bytes;
}

std::vector<platform::ProfileLine> linesOf(std::string_view body, platform::TextEncoding encoding) {
    std::vector<platform::EncodedLine> encoded = platform::splitEncodedLines(body, encoding);
    std::vector<platform::ProfileLine> lines;
    lines.reserve(encoded.size());
    for (const platform::EncodedLine& line : encoded) {
        // A line its encoding cannot decode is kept as it stands; its text only has to be
        // told apart from headers and keys.
        std::wstring text = decodeText(line.bytes, encoding)
                                .value_or(encoding == platform::TextEncoding::Ansi
                                              ? fromAnsi(std::string(line.bytes))
                                              : std::wstring());
        std::string bytes(line.bytes);
        bytes += line.end;
        lines.push_back({std::move(text), std::move(bytes), !line.end.empty()});
    }
    return lines;
}

}  // namespace

bool ProfileFileWin32::update(const std::function<bool(platform::ProfileFile& copy)>& writes) {
    dropCached(path_);
    std::optional<std::string> bytes = readWhole(path_);
    if (!bytes) return false;
    const platform::TextEncoding encoding = platform::encodingOf(*bytes);
    const std::string mark = platform::byteOrderMark(encoding);
    platform::ProfileText text(linesOf(std::string_view(*bytes).substr(mark.size()), encoding));
    bytes.reset();
    if (!writes(text)) return false;
    if (!text.changed()) return true;  // nothing to replace
    bool ok = replaceFile(path_, mark + text.bytes([&](std::wstring_view line) {
        return encodeText(line, encoding);
    }));
    dropCached(path_);
    return ok;
}

}  // namespace win32
