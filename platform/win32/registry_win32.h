#pragma once
#include <atomic>
#include <map>
#include <utility>

#include "platform/registry.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

class RegistryWin32 : public platform::Registry {
public:
    RegistryWin32();
    ~RegistryWin32() override;
    RegistryWin32(const RegistryWin32&) = delete;
    RegistryWin32& operator=(const RegistryWin32&) = delete;

    platform::RegistryRead read(platform::Hive hive, const std::wstring& keyPath,
                                const std::wstring& valueName) override;
    bool writeDword(const std::wstring& keyPath, const std::wstring& valueName,
                    std::uint32_t value) override;
    platform::StringWrite writeString(const std::wstring& keyPath, const std::wstring& valueName,
                                      const std::wstring& value) override;
    bool deleteValue(const std::wstring& keyPath, const std::wstring& valueName) override;
    // A change is told a moment after it happened (by a waiting thread of the system's pool).
    bool changedSinceLastAsked() override;

private:
    bool watch(HKEY key, DWORD what);
    bool watchParentOf(platform::Hive hive, const std::wstring& keyPath);

    // Keys read from stay open: the refresh cycle reads the same few values on every tick, and
    // each opening costs a request to the system. A key deleted meanwhile is opened afresh.
    std::map<std::pair<platform::Hive, std::wstring>, UniqueKey> open_;
    std::map<std::pair<platform::Hive, std::wstring>, UniqueKey> parents_;
    // One event for every open key, waited on by the system's thread pool: a round asks the
    // system nothing until a change was told.
    UniqueKernelObject changed_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    HANDLE waiter_ = nullptr;
    std::atomic<bool> told_{false};
    bool unwatched_ = false;  // a key that could not be opened or watched: read again
};

}  // namespace win32
