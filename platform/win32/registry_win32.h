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

private:
    // Keys read from stay open: the refresh cycle reads the same few values on every tick, and
    // each opening costs a request to the system. A key deleted meanwhile is opened afresh.
    std::map<std::pair<platform::Hive, std::wstring>, UniqueKey> open_;
};

}  // namespace win32
