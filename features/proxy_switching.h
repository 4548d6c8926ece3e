#pragma once
#include <cstdint>
#include <string>

#include "features/status_bar.h"
#include "monitor/readings.h"
#include "platform/dialogs.h"
#include "platform/registry.h"

namespace features {

// The current "ProxyServer" text; "" when unreadable.
std::wstring readProxyText(platform::Registry& registry);

// Writes the chosen entry as the proxy server ("" for entry 0, "使用しない") and reports in the
// status bar. "ProxyEnable" is left as it is. `proxyField` receives the caption.
void chooseProxy(int index, const std::wstring& caption, platform::Registry& registry,
                 features::StatusBar& status, std::wstring& proxyField);

// The proxy use that the toggle writes: on only when the item shows exactly "OFF".
std::int16_t proxyUseAfterToggle(const std::wstring& shownText);
bool toggleProxyUse(platform::Registry& registry, platform::Dialogs& dialogs,
                    const monitor::ValueTexts& shown);

}  // namespace features
