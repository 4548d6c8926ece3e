#include "monitor/drive_items.h"

#include "base/texts.h"
#include "monitor/percent.h"
#include "settings/drive_ticks.h"

namespace monitor {

std::wstring driveTypeText(int type) {
    switch (type) {
        case platform::kDriveRemovable:
            return base::text(base::Text::DriveRemovable);
        case platform::kDriveFixed:
            return base::text(base::Text::DriveFixed);
        case platform::kDriveNetwork:
            return base::text(base::Text::DriveNetwork);
        case platform::kDriveRamDisk:
            return base::text(base::Text::DriveRamDisk);
        default:
            return L"";
    }
}

std::vector<settings::DriveRow> buildDriveRows(platform::Drives& drives, std::wstring& checkMarks,
                                               bool autoCheck) {
    std::vector<settings::DriveRow> rows;
    for (const platform::DriveEntry& drive : drives.drives()) {
        if (drive.letter == L"A" || drive.letter == L"B") continue;
        std::wstring type = driveTypeText(drive.type);
        if (type.empty() || rows.size() >= settings::kDriveSlots) continue;
        rows.push_back(
            {drive.letter, drive.type, settings::driveTickedByMarks(checkMarks, drive.letter)});
    }
    if (autoCheck) settings::tickEveryDrive(rows, checkMarks);
    return rows;
}

DriveFigures readDriveCapacity(platform::Drives& drives, const std::wstring& letter) {
    int type = drives.driveType(letter);
    if (type != platform::kDriveRemovable && type != platform::kDriveFixed &&
        type != platform::kDriveNetwork && type != platform::kDriveRamDisk) {
        DriveFigures figures;
        figures.path = letter + L":";
        return figures;
    }
    return capacityFigures(drives, letter);
}

DriveFigures capacityFigures(platform::Drives& drives, const std::wstring& letter) {
    DriveFigures figures;
    figures.path = letter + L":";
    if (auto capacity = drives.capacity(letter)) {
        constexpr std::uint64_t kMegabyte = 1048576;
        figures.totalMB = static_cast<int>(capacity->totalBytes / kMegabyte);
        figures.freeMB = static_cast<int>(capacity->availableBytes / kMegabyte);
        figures.usedMB = figures.totalMB - figures.freeMB;
    }
    return figures;
}

int drivePercent(const DriveFigures& f) {
    if (f.totalMB <= 0 || f.usedMB < 0) return 0;
    return percentHalfEven(f.usedMB, f.totalMB);
}

std::wstring gigabytes(int megabytes, const render::NumberSymbols& symbols) {
    std::wstring text = render::formatNumber(megabytes / 1024.0, L"##,##0.#0", symbols);
    if (!text.empty()) text.pop_back();
    return text;
}

std::vector<DriveRowText> driveRowTexts(const DriveFigures& f, int indication1, int indication2,
                                        int gbMb, const render::NumberSymbols& symbols) {
    auto figure = [&](int type) {
        return type == settings::kDriveUsed   ? f.usedMB
               : type == settings::kDriveFree ? f.freeMB
                                              : f.totalMB;
    };
    auto width = [](const std::wstring& s) { return 6 * static_cast<int>(s.size()); };
    std::vector<DriveRowText> texts{{0, f.path + L" "}};
    if (gbMb == settings::kGigabytes) {
        if (indication1 != settings::kDriveFigureHidden) {
            std::wstring first = gigabytes(figure(indication1), symbols);
            texts.push_back({55 - width(first), first + L"GB/"});
        }
        std::wstring second = gigabytes(figure(indication2), symbols);
        texts.push_back({115 - width(second), second + L"GB"});
    } else {
        if (indication1 != settings::kDriveFigureHidden) {
            std::wstring first = std::to_wstring(figure(indication1));
            texts.push_back({47 - width(first), first + L"MB/"});
        }
        std::wstring second = std::to_wstring(figure(indication2));
        texts.push_back({110 - width(second), second + L"MB"});
    }
    std::wstring percent = std::to_wstring(drivePercent(f)) + L"%";
    texts.push_back({148 - width(percent), percent});
    return texts;
}

Lamps updateLamps(LampSlot& slot, platform::Drives& drives, const std::wstring& letter) {
    Lamps lamps;
    auto activity = drives.activity(letter);
    double read = activity ? activity->read : 0;
    double write = activity ? activity->write : 0;
    lamps.draw = activity.has_value();
    bool baselined = slot.letter == letter;
    lamps.readLit = baselined && read != slot.lastRead;
    lamps.writeLit = baselined && write != slot.lastWrite;
    slot.letter = letter;
    slot.lastRead = read;
    slot.lastWrite = write;
    return lamps;
}

}  // namespace monitor
