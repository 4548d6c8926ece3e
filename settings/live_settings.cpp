#include "settings/live_settings.h"

#include "settings/packed_fields.h"

namespace settings {

namespace {

std::int32_t driveColour(const std::wstring& field) {
    return trimBlanks(field).empty() ? kWhite : parseColour(field);
}

}  // namespace

DriveColourTable parseDriveColours(const std::wstring& drivesColor1,
                                   const std::wstring& drivesColor2) {
    DriveColourTable table;
    for (size_t i = 0; i < kDriveSlots; ++i) {
        table.start[i] = driveColour(colourField(drivesColor2, i));
        table.end[i] = driveColour(colourField(drivesColor1, i));
    }
    return table;
}

bool driveTickedByMarks(const std::wstring& marks, const std::wstring& letter) {
    return !letter.empty() && marks.find(letter) != std::wstring::npos;
}

}  // namespace settings
