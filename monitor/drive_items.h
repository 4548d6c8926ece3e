#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "render/number_pattern.h"
#include "settings/live_settings.h"

namespace monitor {

// The type text of a drive list row; empty for types that get no row.
std::wstring driveTypeText(int type);

// The drive list as start-up and the options window's drive timer build it: every drive but
// A: and B: of a listed type, ticked when its letter is in the marks (or all, with auto-check).
// With auto-check the marks become the concatenation of all letters.
std::vector<settings::DriveRow> buildDriveRows(platform::Drives& drives, std::wstring& checkMarks,
                                               bool autoCheck);

// Capacity of one drive in whole megabytes; 0 figures for other types or a failed call.
struct DriveFigures {
    int totalMB = 0;
    int freeMB = 0;
    int usedMB = 0;
    std::wstring path;  // "C:"
};
DriveFigures readDriveCapacity(platform::Drives& drives, const std::wstring& letter);
// The figures of a drive whose type has them, without asking the type again.
DriveFigures capacityFigures(platform::Drives& drives, const std::wstring& letter);
int drivePercent(const DriveFigures& figures);

// The activity lamps stand in the designed columns 15 to 25. A figure may start at the lamps'
// last column, which only the blank first column of its cell takes (as a 3-digit figure in GB
// always has), never further left.
constexpr int kLampsEnd = 26;
constexpr int kFiguresStart = 25;

// What a drive row prints after its bar, from the left: the drive, the figures, the percentage.
struct DriveRowText {
    int x = 0;
    std::wstring text;
};
std::vector<DriveRowText> driveRowTexts(const DriveFigures& figures, int indication1,
                                        int indication2, int gbMb,
                                        const render::NumberSymbols& symbols);
// One figure in GB with one decimal: "##,##0.#0" shortened by its last character.
std::wstring gigabytes(int megabytes, const render::NumberSymbols& symbols);

// The activity lamps of one drive slot: lit when the figure changed since the previous tick.
// The counters are cumulative, so a slot's first reading (or the first after another drive took
// its place) only sets the baseline.
struct LampSlot {
    std::wstring letter;  // the drive the baseline belongs to; empty before the first reading
    double lastRead = 0;
    double lastWrite = 0;
};
struct Lamps {
    bool draw = false;  // the drive has activity data
    bool readLit = false;
    bool writeLit = false;
};
Lamps updateLamps(LampSlot& slot, platform::Drives& drives, const std::wstring& letter);

}  // namespace monitor
