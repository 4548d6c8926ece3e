#include "features/registry_routines.h"

#include "base/texts.h"

namespace features {

bool writeRegistryDword(platform::Registry& registry, platform::Dialogs& dialogs,
                        const std::wstring& keyPath, const std::wstring& valueName,
                        std::int16_t value) {
    auto dword = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    if (registry.writeDword(keyPath, valueName, dword)) return true;
    dialogs.messageBox(base::text(base::Text::Error), platform::MessageIcon::None);
    return false;
}

}  // namespace features
