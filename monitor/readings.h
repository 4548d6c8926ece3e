#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/drive_items.h"
#include "platform/power_status.h"
#include "platform/processor_times.h"
#include "settings/display_item.h"

namespace monitor {

// What a value holds until it is read: a marker, shown in the current language (`shownValue`).
inline const wchar_t* const kLoadingText =
    L"\x01"
    L"loading";

// One direction of the chosen interface's traffic.
struct Traffic {
    std::int64_t total = 0;  // bytes since the interface started, across the 32-bit wraps
    std::int64_t rate = 0;   // whole Kbyte/s or Kbit/s over the last interval
};

// One drive row's figures: capacity when the refresh was due, lamps on every tick.
struct DriveReading {
    bool capacityRead = false;
    DriveFigures figures;
    Lamps lamps;
};

// What each item's row shows, by item: the loading text until its section first ran.
class ValueTexts {
public:
    ValueTexts() { texts_.fill(kLoadingText); }
    const std::wstring& operator[](settings::Item item) const {
        return texts_[settings::slotOf(item)];
    }
    std::wstring& operator[](settings::Item item) { return texts_[settings::slotOf(item)]; }

private:
    std::array<std::wstring, settings::kItemSlots> texts_;
};

// The date and time row's text in its two parts.
struct DateTimeText {
    std::wstring day;  // the date and weekday, with the blank after them
    std::wstring time;
    std::wstring full() const { return day + time; }
    bool operator==(const DateTimeText&) const = default;
};

// A reading taken from another program, as its row and the features that watch it see it.
struct SourceReading {
    std::wstring name;
    std::wstring text;            // the row's value text with its unit, or "--"
    std::optional<double> value;  // none: no current value
    std::wstring unit;
    std::optional<double> barMin, barMax;  // a bar when both are set and apart
    bool shown = true;
    // Its kind, address and key: the same source wherever the list moves it.
    std::wstring identity;
    bool operator==(const SourceReading&) const = default;
};

// What the latest tick sampled. A section that did not run leaves its fields as they were, so
// this is also what the other features read: memory release, menus, options window.
struct Readings {
    std::uint32_t tickCount = 0;  // at the start of the latest tick
    // Which of the sections the history keeps ran on the latest tick.
    struct Sections {
        bool cpuTotal = false, memory = false, network = false;
    } sampledNow;
    std::wstring intervalLabel;  // "500ms": the time between the last two ticks

    int cpuTotalPercent = 0;
    std::array<int, settings::kProcessorItems> cpuPercent{};
    // A load is measured from its second reading on; before, its 0 says nothing.
    bool cpuTotalMeasured = false;
    std::array<bool, settings::kProcessorItems> cpuMeasured{};
    // All processors' times since the system started, as last read with the total load.
    std::optional<platform::ProcessorTimes> cpuTimes;

    int memoryPercent = 0;
    int memoryTotalMB = 0;
    int memoryFreeMB = 0;

    bool totalsRead = false;  // the interface was sampled
    bool ratesRead = false;   // a second sample gave rates
    Traffic in, out;

    std::wstring lanAddress;
    std::wstring proxyServer;
    std::array<std::wstring, 3> switches;  // proxy in use, active scripting, Java scripting
    DateTimeText dateTime;
    // The beginning of the latest text on the clipboard: what its row and the options window's
    // box can show of it.
    std::wstring clipboardText;
    platform::PowerStatus power;
    std::vector<DriveReading> drives;    // by drive list position
    bool drivesRefreshed = false;        // this tick refreshed the capacities
    std::vector<SourceReading> sources;  // in the list's order, shown or not
};

// How much of the clipboard's text the clipboard item keeps: a text of many megabytes would
// cost its size on every tick.
constexpr size_t kShownClipboardChars = 4096;

}  // namespace monitor
