#pragma once
#include "platform/registry.h"

namespace win32 {

class RegistryWin32 : public platform::Registry {
public:
    platform::RegistryRead read(platform::Hive hive, const std::wstring& keyPath,
                                const std::wstring& valueName) override;
    bool writeDword(const std::wstring& keyPath, const std::wstring& valueName,
                    std::uint32_t value) override;
    platform::StringWrite writeString(const std::wstring& keyPath, const std::wstring& valueName,
                                      const std::wstring& value) override;
};

}  // namespace win32
