#pragma once
#include <functional>
#include <string>
#include <vector>

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
    // The order the writer keeps its sections in: a section the file lacks is added before the
    // first section it holds that comes after it in `order` (one written there by hand keeps
    // its place, and the others come before it), at the end otherwise.
    virtual void orderSections(std::vector<std::wstring> /*order*/) {}
    // The keys of `section` whose line ends in a lone CR (as an editor of old Macs writes):
    // the profile functions end the line, and the value, there, and what followed it is lost.
    // Known to the file's own copy that `update` hands over.
    virtual std::vector<std::wstring> keysEndedByLoneCr(const std::wstring& /*section*/) {
        return {};
    }
    // Applies `writes` to a copy beside the file and puts the copy in the file's place only when
    // every write succeeded and the copy holds what was written; otherwise the file stays as it
    // was, byte for byte. Returns whether the file holds the writes now.
    virtual bool update(const std::function<bool(ProfileFile& copy)>& writes) = 0;
};

}  // namespace platform
