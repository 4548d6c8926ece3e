#pragma once
#include <string>
#include <vector>

#include "platform/text_files.h"

namespace win32 {

class TextFilesWin32 : public platform::TextFiles {
public:
    std::optional<platform::TextFileLines> readLines(const std::wstring& path) override;
    bool writeLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                    platform::TextEncoding encoding) override;
    bool exists(const std::wstring& path) override;
};

}  // namespace win32
