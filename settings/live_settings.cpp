#include "settings/live_settings.h"

#include "settings/packed_fields.h"

namespace settings {

DriveColourTable parseDriveColours(const std::wstring& drivesColor1,
                                   const std::wstring& drivesColor2) {
    DriveColourTable table;
    for (size_t i = 0; i < kDriveSlots; ++i) {
        table.start[i] = trimBlanks(colourField(drivesColor2, i));
        table.end[i] = trimBlanks(colourField(drivesColor1, i));
        if (table.start[i].empty()) table.start[i] = kWhite;
        if (table.end[i].empty()) table.end[i] = kWhite;
    }
    return table;
}

bool driveTickedByMarks(const std::wstring& marks, const std::wstring& letter) {
    return !letter.empty() && marks.find(letter) != std::wstring::npos;
}

}  // namespace settings
