#pragma once
#include <string>

#include "platform/registry.h"

namespace monitor {

// The browser's settings of the current user that the program shows and switches.
inline const wchar_t* const kInternetSettingsKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline const wchar_t* const kInternetZoneKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";

// A string value as it is, a DWORD as decimal text, anything unreadable as "".
std::wstring readRegistryText(platform::Registry& registry, platform::Hive hive,
                              const std::wstring& keyPath, const std::wstring& valueName);

}  // namespace monitor
