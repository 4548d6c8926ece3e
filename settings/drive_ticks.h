#pragma once
#include <string>
#include <vector>

#include "settings/live_settings.h"

namespace settings {

// The drive check string as the drive list gives it: per row its letter when ticked, else "0".
std::wstring driveMarksOf(const std::vector<DriveRow>& rows);

// The user ticked or unticked row `changed`: the last ticked drive stays ticked, and the marks
// follow the rows. Returns the row's tick after the rule.
bool applyDriveTick(std::vector<DriveRow>& rows, size_t changed, bool ticked, std::wstring& marks);

// Ticks every row; the marks become the letters of all rows.
void tickEveryDrive(std::vector<DriveRow>& rows, std::wstring& marks);

}  // namespace settings
