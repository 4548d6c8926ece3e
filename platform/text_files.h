#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Plain text files in the system's ANSI code page, lines ended by CR LF.
class TextFiles {
public:
    virtual ~TextFiles() = default;
    // The lines without their ends; nullopt when the file cannot be opened or read whole.
    virtual std::optional<std::vector<std::wstring>> readLines(const std::wstring& path) = 0;
    // Whether something is at the path, readable or not.
    virtual bool exists(const std::wstring& path) = 0;
    // Replaces the file whole, every line ended by CR LF; on failure the file stays as it was.
    virtual bool writeLines(const std::wstring& path, const std::vector<std::wstring>& lines) = 0;
};

}  // namespace platform
