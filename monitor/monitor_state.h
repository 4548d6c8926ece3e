#pragma once
#include <array>
#include <string>

namespace monitor {

inline const wchar_t* const kLoadingText = L"Now　Loading・・・";
constexpr int kSlots = 26;  // display item id - 100

inline std::array<std::wstring, kSlots> loadingTexts() {
    std::array<std::wstring, kSlots> texts;
    texts.fill(kLoadingText);
    return texts;
}

// What the update check found; the refresh cycle shows the new-version row from it.
struct UpdateInfo {
    std::wstring result = L"no";  // "ok" when the page carried its title and markers
    std::wstring newestVersion;   // three digits, e.g. "337"
    std::wstring announcement;
};

// Results of the refresh cycle that other features read, and the texts they feed it.
struct MonitorState {
    std::array<std::wstring, kSlots> valueText = loadingTexts();  // by slot
    std::wstring ipText;  // the public IP text the IP tools maintain (shown by item 104)
    UpdateInfo update;
};

}  // namespace monitor
