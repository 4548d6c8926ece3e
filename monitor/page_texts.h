#pragma once
#include <string>

#include "monitor/readings.h"

namespace monitor {

// The public address's markers for a failed fetch and for one not made; shown as texts.
inline const wchar_t* const kUnreachableText =
    L"\x01"
    L"unreachable";
inline const wchar_t* const kAfterRestartText =
    L"\x01"
    L"after-restart";

// What the update check found.
struct UpdateInfo {
    std::wstring result = L"no";  // "ok" when the page carried its title and markers
    std::wstring newestVersion;   // three digits, e.g. "337"
    std::wstring announcement;
};

// The texts the page fetches bring; the refresh cycle only shows them.
struct PageTexts {
    std::wstring publicAddress = kLoadingText;
    UpdateInfo update;
};

}  // namespace monitor
