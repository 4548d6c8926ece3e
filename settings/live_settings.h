#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/change_notices.h"
#include "settings/close_list_order.h"
#include "settings/display_catalogue.h"
#include "settings/settings.h"
#include "settings/side_lists.h"
#include "settings/source_settings.h"

namespace settings {

constexpr size_t kDriveSlots = 30;
constexpr std::int32_t kWhite = 16777215;
constexpr std::array<std::int32_t, kDriveSlots> kAllWhite = [] {
    std::array<std::int32_t, kDriveSlots> colours{};
    colours.fill(kWhite);
    return colours;
}();

// Gradient colours of the drive rows, by position in the drive list.
struct DriveColourTable {
    std::array<std::int32_t, kDriveSlots> start = kAllWhite;  // left edge
    std::array<std::int32_t, kDriveSlots> end = kAllWhite;    // right edge
};

// One row of the drive list: a drive letter and whether its row is shown.
struct DriveRow {
    std::wstring letter;  // "C"
    int type = 0;         // platform::kDriveFixed, ...: shown by its name in the current language
    bool checked = false;
    bool operator==(const DriveRow&) const = default;
};

// The live settings: what the options window's controls hold while the program runs. Whoever
// changes a value tells `notices`, naming what changed, so that each view and running part
// follows only what concerns it.
struct LiveSettings {
    Settings settings;
    int inMultiplier = 1;   // fast-line multiplier of the receive scale; not stored
    int outMultiplier = 1;  // the same for the send scale; not stored
    std::vector<DisplayRow> displayRows;
    std::vector<DriveRow> drives;
    std::vector<SourceSetting> sources;  // readings of other programs, in list order
    DriveColourTable driveColours;
    int lastSelectedDriveRow = 0;  // 1-based position in the drive list; 0 before any selection
    std::vector<std::wstring> proxyList;
    std::vector<CloseEntry> closeList;
    CloseListOrder closeOrder;
    // What the lists' files held at start-up: whether and how a save writes them.
    ListFile proxyListFile;
    ListFile closeListFile;
    std::vector<std::wstring> adapterChoices;  // the adapter choice's entries
    std::wstring memoText;                     // the memo text box, lines ended by CR LF
    int folderWatchTenths = 0;  // folder sizing's watch interval; 0 until the user sets it
    // The total items count from these byte totals (0: the whole count); not stored.
    std::int64_t receiveTotalBase = 0;
    std::int64_t sendTotalBase = 0;
    ChangeNotices notices;
};

// Up to 30 fields of each packed drive colour string; a missing or empty field is white.
DriveColourTable parseDriveColours(const std::wstring& drivesColor1,
                                   const std::wstring& drivesColor2);

// A drive row is ticked when its letter occurs anywhere in the stored mark string.
bool driveTickedByMarks(const std::wstring& marks, const std::wstring& letter);

}  // namespace settings
