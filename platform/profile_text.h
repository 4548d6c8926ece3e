#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/profile_file.h"

namespace platform {

// One line of a profile file: its text, and its bytes with their line end as the file held them
// (empty for a line an edit made or changed).
struct ProfileLine {
    std::wstring text;
    std::string bytes;
    bool ended = true;  // false for a last line that had no line end
};

// A profile (INI) file's lines, edited in memory as the profile functions edit the file: a key
// is looked up in the first section of its name, letters compared without regard to case; a new
// key follows the last line of its section, a new section ends the file (or goes before a later
// section, see `orderSections`). Every line no write
// changes keeps its bytes. A key is found at once, so a save over a file of many keys is one
// pass instead of one rewrite of the file per key.
class ProfileText : public ProfileFile {
public:
    explicit ProfileText(std::vector<ProfileLine> lines);

    int getInt(const std::wstring& section, const std::wstring& key, int def) override;
    std::wstring getString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& def) override;
    bool write(const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override;
    bool remove(const std::wstring& section, const std::wstring& key) override;
    void orderSections(std::vector<std::wstring> order) override;
    std::vector<std::wstring> keysEndedByLoneCr(const std::wstring& section) override;
    bool update(const std::function<bool(ProfileFile& copy)>& writes) override {
        return writes(*this);
    }

    // Whether a write or a removal changed anything.
    bool changed() const { return changed_; }
    // The file's bytes: unchanged lines as they stood, the others through `encode`, ended by
    // CR LF.
    std::string bytes(const std::function<std::string(std::wstring_view)>& encode) const;

private:
    struct Section {
        std::vector<ProfileLine> lines;  // the header first, for a named section
        std::vector<bool> removed;
        size_t keyEnd = 0;  // where a new key goes: after the last line that is not blank
        // Folded name: its line. Made when the section is first asked for a key: a section
        // no write touches costs no more than its lines.
        std::unordered_map<std::wstring, size_t> keys;
        bool indexed = false;
    };
    static std::unordered_map<std::wstring, size_t>& keysOf(Section& section);
    // The line of a key, or nothing.
    const ProfileLine* find(const std::wstring& section, const std::wstring& key);
    Section& sectionFor(const std::wstring& name);

    std::vector<Section> sections_;
    std::unordered_map<std::wstring, size_t> sectionByName_;
    std::vector<std::wstring> order_;  // folded names
    bool changed_ = false;
};

}  // namespace platform
