#pragma once
#include <map>
#include <utility>

#include "platform/registry.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

class RegistryWin32 : public platform::Registry {
public:
    platform::RegistryRead read(platform::Hive hive, const std::wstring& keyPath,
                                const std::wstring& valueName) override;
    bool writeDword(const std::wstring& keyPath, const std::wstring& valueName,
                    std::uint32_t value) override;
    platform::StringWrite writeString(const std::wstring& keyPath, const std::wstring& valueName,
                                      const std::wstring& value) override;
    bool changedSinceLastAsked() override;

private:
    bool watch(HKEY key, DWORD what);
    bool watchParentOf(platform::Hive hive, const std::wstring& keyPath);

    // Keys read from stay open: the refresh cycle reads the same few values on every tick, and
    // each opening costs a request to the system. A key deleted meanwhile is opened afresh.
    std::map<std::pair<platform::Hive, std::wstring>, UniqueKey> open_;
    std::map<std::pair<platform::Hive, std::wstring>, UniqueKey> parents_;
    // One event for every open key: a round that finds it unsignalled keeps what it read, at
    // the cost of one wait instead of a read per value.
    UniqueKernelObject changed_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool unwatched_ = false;  // a key that could not be opened or watched: read again
};

}  // namespace win32
