#include "monitor/browser_registry.h"

namespace monitor {

std::wstring readRegistryText(platform::Registry& registry, platform::Hive hive,
                              const std::wstring& keyPath, const std::wstring& valueName) {
    platform::RegistryRead read = registry.read(hive, keyPath, valueName);
    if (read.ok && read.type == platform::kRegDword)
        return std::to_wstring(static_cast<std::int32_t>(read.dword));
    return read.text;
}

}  // namespace monitor
