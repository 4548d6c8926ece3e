#pragma once
#include <map>
#include <string>
#include <vector>
#include <utility>

#include "platform/dialogs.h"
#include "platform/registry.h"

namespace fakes {

class FakeRegistry : public platform::Registry {
public:
    using Key = std::pair<std::wstring, std::wstring>;  // key path, value name
    std::map<Key, platform::RegistryRead> values;       // current user only
    bool failWrites = false;

    platform::RegistryRead read(platform::Hive, const std::wstring& keyPath,
                                const std::wstring& valueName) override {
        auto v = values.find({keyPath, valueName});
        return v == values.end() ? platform::RegistryRead{} : v->second;
    }
    bool writeDword(const std::wstring& keyPath, const std::wstring& valueName,
                    std::uint32_t value) override {
        if (failWrites) return false;
        values[{keyPath, valueName}] = {true, platform::kRegDword, L"", value};
        return true;
    }
    bool writeString(const std::wstring& keyPath, const std::wstring& valueName,
                     const std::wstring& value) override {
        if (failWrites) return false;
        values[{keyPath, valueName}] = {true, platform::kRegSz, value, 0};
        return true;
    }
};

class FakeDialogs : public platform::Dialogs {
public:
    std::vector<std::wstring> shown;
    void messageBox(const std::wstring& text, platform::MessageIcon) override {
        shown.push_back(text);
    }
};

}  // namespace fakes
