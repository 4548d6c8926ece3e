#pragma once
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
    // A change is told once the program's message loop has seen the event (`changeEvent`,
    // then `changeSeen`); until then a round reads nothing again.
    bool changedSinceLastAsked() override;

    // Signalled when a watched key changed; a message loop waits on it beside its messages
    // rather than a thread of its own (every thread costs Wine a megabyte).
    HANDLE changeEvent() const { return changed_.get(); }
    void changeSeen() { told_ = true; }

private:
    bool watch(HKEY key, DWORD what);
    bool watchParentOf(platform::Hive hive, const std::wstring& keyPath);

    // Keys read from stay open: the refresh cycle reads the same few values on every tick, and
    // each opening costs a request to the system. A key deleted meanwhile is opened afresh.
    std::map<std::pair<platform::Hive, std::wstring>, UniqueKey> open_;
    std::map<std::pair<platform::Hive, std::wstring>, UniqueKey> parents_;
    // One event for every open key, waited on by the message loop: a round asks the system
    // nothing until a change was told.
    UniqueKernelObject changed_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    bool told_ = false;
    bool unwatched_ = false;  // a key that could not be opened or watched: read again
};

}  // namespace win32
