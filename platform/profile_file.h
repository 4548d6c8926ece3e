#pragma once
#include <string>

namespace platform {

// One Windows-style profile (INI) file, bound to its path.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    // The value's leading number; the default when the key is missing, 0 when it is not numeric.
    virtual int getInt(const std::wstring& section, const std::wstring& key, int def) = 0;
    // The value as stored; the default when the key is missing.
    virtual std::wstring getString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& def) = 0;
    virtual bool write(const std::wstring& section, const std::wstring& key,
                       const std::wstring& value) = 0;
    virtual bool remove(const std::wstring& section, const std::wstring& key) = 0;
};

}  // namespace platform
