#include "features/proxy_switching.h"

#include "base/texts.h"
#include "features/registry_routines.h"
#include "monitor/browser_registry.h"
#include "monitor/status_items.h"

namespace features {

std::wstring readProxyText(platform::Registry& registry) {
    return monitor::readProxyServer(registry);
}

void chooseProxy(int index, const std::wstring& caption, platform::Registry& registry,
                 features::StatusBar& status, std::wstring& proxyField) {
    proxyField = caption;
    std::wstring server = index == 0 ? std::wstring() : caption;
    switch (registry.writeString(monitor::kInternetSettingsKey, L"ProxyServer", server)) {
        case platform::StringWrite::WrittenToExistingKey:
            status.show(base::format(base::Text::ProxyChanged, {caption}));
            break;
        case platform::StringWrite::WrittenToNewKey:  // written, but the settings key was missing
        case platform::StringWrite::KeyFailed:
        case platform::StringWrite::WriteFailed:
            status.show(base::text(base::Text::Error));
            break;
    }
}

std::int16_t proxyUseAfterToggle(const std::wstring& shownText) {
    return shownText == L"OFF" ? 1 : 0;
}

bool toggleProxyUse(platform::Registry& registry, platform::Dialogs& dialogs,
                    const monitor::ValueTexts& shown) {
    return writeRegistryDword(registry, dialogs, monitor::kInternetSettingsKey, L"ProxyEnable",
                              proxyUseAfterToggle(shown[settings::Item::ProxyEnable]));
}

}  // namespace features
