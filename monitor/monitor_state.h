#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace monitor {

inline const wchar_t* const kLoadingText = L"Now　Loading・・・";
constexpr int kSlots = 26;       // display item id - 100
constexpr int kDriveSlots = 30;  // rows of the drive list
constexpr int kProcessors = 4;   // processors with an item of their own

template <size_t N = kSlots>
std::array<std::wstring, N> loadingTexts() {
    std::array<std::wstring, N> texts;
    texts.fill(kLoadingText);
    return texts;
}

// What the update check found; the refresh cycle shows the new-version row from it.
struct UpdateInfo {
    std::wstring result = L"no";  // "ok" when the page carried its title and markers
    std::wstring newestVersion;   // three digits, e.g. "337"
    std::wstring announcement;
};

// One direction of an interface's byte counters, tracked across the 32-bit wrap.
struct ByteCounter {
    std::int64_t counter = 0;  // last reading, 0 .. 4,294,967,295
    bool highHalf = false;     // the last reading was at or above 2^31
    std::int64_t wraps = 0;
    std::int64_t total = 0;      // wraps * 2^32 + counter
    std::int64_t prevTotal = 0;  // total at the previous network sample
    std::int64_t rate = 0;       // whole Kbyte/s or Kbit/s
    std::int64_t resetBase = 0;  // offset of the shown total, set by the reset buttons
    std::wstring totalText = L"0";  // total in the form "#,##0"
};

// Results of the refresh cycle that other features read, and the texts they feed it.
struct MonitorState {
    std::array<std::wstring, kSlots> valueText = loadingTexts();  // by slot
    // The public IP text the IP tools maintain (shown by item 104); loading until the first
    // acquisition.
    std::wstring ipText = kLoadingText;
    UpdateInfo update;

    std::wstring intervalLabel;       // "500ms": the measured time between the last two ticks
    std::uint32_t lastTickCount = 0;  // tick count taken at the start of the latest tick

    int cpuTotalPercent = 0;
    std::array<int, kProcessors> cpuPercent{};

    int memoryPercent = 0;
    int memoryTotalMB = 0;  // also read by the memory release
    int memoryFreeMB = 0;
    std::wstring memoryText;

    ByteCounter in, out;
    bool baselineTaken = false;
    std::uint32_t lastNetTick = 0;

    // The graph samples, listHeight and resizePending live with the images (render::RenderState).
    std::uint32_t lastDiskRefresh = 0;  // tick count of the last drive-capacity refresh
    bool disksRead = false;             // the first refresh runs at once
    int marqueeStep = 0;
    bool newVersionShown = false;  // the new-version row is on the list (VerHp is visible)

    // "57%" per drive row once its capacity was read.
    std::array<std::wstring, kDriveSlots> driveValueText = loadingTexts<kDriveSlots>();
    std::wstring lanText;  // what item 105 shows
};

}  // namespace monitor
