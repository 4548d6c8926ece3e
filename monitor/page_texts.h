#pragma once
#include <string>

#include "monitor/readings.h"

namespace monitor {

inline const wchar_t* const kUnreachableText = L"接続不能";
inline const wchar_t* const kAfterRestartText = L"再起動後に表示";

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
