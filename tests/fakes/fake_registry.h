#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/registry.h"

namespace fakes {

class FakeRegistry : public platform::Registry {
public:
    using Key = std::pair<std::wstring, std::wstring>;  // key path, value name
    std::map<Key, platform::RegistryRead> values;       // current user only
    std::set<std::wstring> keys;  // key paths that exist before a string write
    bool failWrites = false;
    bool failKeys = false;
    // Off: every round reads again, as a registry that cannot watch. On: a round reads again
    // only after a write, or after a test sets changed.
    bool watching = false;
    bool changed = false;
    int reads = 0;

    platform::RegistryRead read(platform::Hive, const std::wstring& keyPath,
                                const std::wstring& valueName) override {
        ++reads;
        auto v = values.find({keyPath, valueName});
        return v == values.end() ? platform::RegistryRead{} : v->second;
    }
    bool writeDword(const std::wstring& keyPath, const std::wstring& valueName,
                    std::uint32_t value) override {
        if (failWrites || failKeys) return false;
        keys.insert(keyPath);
        changed = true;
        values[{keyPath, valueName}] = {true, platform::kRegDword, L"", value};
        return true;
    }
    platform::StringWrite writeString(const std::wstring& keyPath, const std::wstring& valueName,
                                      const std::wstring& value) override {
        if (failKeys) return platform::StringWrite::KeyFailed;
        if (failWrites) return platform::StringWrite::WriteFailed;
        bool existed = keys.count(keyPath) > 0;
        keys.insert(keyPath);
        changed = true;
        values[{keyPath, valueName}] = {true, platform::kRegSz, value, 0};
        return existed ? platform::StringWrite::WrittenToExistingKey
                       : platform::StringWrite::WrittenToNewKey;
    }
    bool deleteValue(const std::wstring& keyPath, const std::wstring& valueName) override {
        if (failWrites) return false;
        changed = true;
        values.erase({keyPath, valueName});
        return true;
    }
    bool changedSinceLastAsked() override { return !watching || std::exchange(changed, false); }
};

class FakeDialogs : public platform::Dialogs {
public:
    std::vector<std::wstring> shown;
    void messageBox(const std::wstring& text, platform::MessageIcon) override {
        shown.push_back(text);
    }
};

}  // namespace fakes
