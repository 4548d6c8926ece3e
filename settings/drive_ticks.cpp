#include "settings/drive_ticks.h"

#include <algorithm>

namespace settings {

std::wstring driveMarksOf(const std::vector<DriveRow>& rows) {
    std::wstring marks;
    for (const DriveRow& row : rows) marks += row.checked ? row.letter : L"0";
    return marks;
}

bool applyDriveTick(std::vector<DriveRow>& rows, size_t changed, bool ticked, std::wstring& marks) {
    if (changed >= rows.size()) return false;
    rows[changed].checked = ticked;
    if (std::none_of(rows.begin(), rows.end(), [](const DriveRow& row) { return row.checked; }))
        rows[changed].checked = true;
    marks = driveMarksOf(rows);
    return rows[changed].checked;
}

void tickEveryDrive(std::vector<DriveRow>& rows, std::wstring& marks) {
    marks.clear();
    for (DriveRow& row : rows) {
        row.checked = true;
        marks += row.letter;
    }
}

}  // namespace settings
