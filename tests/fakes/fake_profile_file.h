#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/profile_file.h"
#include "platform/profile_number.h"

namespace fakes {

// An INI file in memory, with the integer parsing of the Windows profile functions.
class FakeProfileFile : public platform::ProfileFile {
public:
    struct Write {
        std::wstring section, key, value;
        bool removed;
    };
    std::map<std::wstring, std::map<std::wstring, std::wstring>> values;
    std::vector<Write> writes;  // in call order
    bool failWrites = false;

    int getInt(const std::wstring& section, const std::wstring& key, int def) override {
        auto v = find(section, key);
        if (!v || v->empty()) return def;
        return platform::leadingInt32(*v);
    }
    std::wstring getString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& def) override {
        auto v = find(section, key);
        return v ? *v : def;
    }
    bool write(const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override {
        writes.push_back({section, key, value, false});
        if (failWrites) return false;
        values[section][key] = value;
        return true;
    }
    bool remove(const std::wstring& section, const std::wstring& key) override {
        writes.push_back({section, key, {}, true});
        values[section].erase(key);
        return !failWrites;
    }
    // The copy takes the writes; the values change only when all of them succeeded.
    bool update(const std::function<bool(platform::ProfileFile&)>& apply) override {
        FakeProfileFile copy;
        copy.values = values;
        copy.failWrites = failWrites;
        bool ok = apply(copy) && !failWrites;
        writes.insert(writes.end(), copy.writes.begin(), copy.writes.end());
        if (ok) values = copy.values;
        return ok;
    }

private:
    const std::wstring* find(const std::wstring& section, const std::wstring& key) {
        auto s = values.find(section);
        if (s == values.end()) return nullptr;
        auto k = s->second.find(key);
        return k == s->second.end() ? nullptr : &k->second;
    }
};

}  // namespace fakes
