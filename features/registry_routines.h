#pragma once
#include <cstdint>
#include <string>

#include "platform/dialogs.h"
#include "platform/registry.h"

namespace features {

// Writes under HKEY_CURRENT_USER, sign-extending the 16-bit value; a failure shows "エラー".
bool writeRegistryDword(platform::Registry& registry, platform::Dialogs& dialogs,
                        const std::wstring& keyPath, const std::wstring& valueName,
                        std::int16_t value);

}  // namespace features
