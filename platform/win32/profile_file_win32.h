#pragma once
#include "platform/profile_file.h"

namespace win32 {

class ProfileFileWin32 : public platform::ProfileFile {
public:
    explicit ProfileFileWin32(std::wstring path) : path_(std::move(path)) {}
    int getInt(const std::wstring& section, const std::wstring& key, int def) override;
    std::wstring getString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& def) override;
    bool write(const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override;
    bool remove(const std::wstring& section, const std::wstring& key) override;
    bool update(const std::function<bool(platform::ProfileFile& copy)>& writes) override;

private:
    std::wstring path_;
};

}  // namespace win32
