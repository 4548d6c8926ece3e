#pragma once
#include <cstdint>
#include <string>

#include "monitor/monitor_state.h"
#include "options/status_bar.h"
#include "platform/dialogs.h"
#include "platform/registry.h"

namespace utilities {

inline const wchar_t* const kInternetSettingsKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline const wchar_t* const kNoProxyCaption = L"使用しない";
inline const wchar_t* const kProxyChangedSuffix = L" プロキシを変更しました";
inline const wchar_t* const kErrorText = L"エラー";

constexpr int kProxyServerSlot = 6;  // display item 106
constexpr int kProxyUseSlot = 7;     // display item 107

// The current "ProxyServer" text, made the value text of item 106; "" when unreadable.
std::wstring refreshProxyText(platform::Registry& registry, monitor::MonitorState& state);

// Writes the chosen entry as the proxy server ("" for entry 0, "使用しない") and reports in the
// status bar. "ProxyEnable" is left as it is. `proxyField` receives the caption.
void chooseProxy(int index, const std::wstring& caption, platform::Registry& registry,
                 options::StatusBar& status, std::wstring& proxyField);

// The proxy use that the toggle writes: on only when the item shows exactly "OFF".
std::int16_t proxyUseAfterToggle(const std::wstring& shownText);
bool toggleProxyUse(platform::Registry& registry, platform::Dialogs& dialogs,
                    const monitor::MonitorState& state);

}  // namespace utilities
