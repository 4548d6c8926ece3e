#include "settings/save_command.h"

#include "base/texts.h"
#include "settings/drive_ticks.h"
#include "settings/packed_fields.h"
#include "settings/settings_file.h"

namespace settings {
namespace {

constexpr size_t kSavedDriveColours = 15;

}  // namespace

SettingsPaths SettingsPaths::inFolder(const std::wstring& exeFolder) {
    return {exeFolder + L"\\KorvaNT.ini", exeFolder + L"\\CloseList.txt",
            exeFolder + L"\\ProxyList.txt"};
}

void composeListKeys(LiveSettings& live) {
    Settings& s = live.settings;

    s.driveMarks = driveMarksOf(live.drives);

    std::wstring drivesStart, drivesEnd;
    for (size_t i = 0; i < kSavedDriveColours; ++i) {
        drivesStart += colourCell(live.driveColours.start[i]) + L" ";
        drivesEnd += colourCell(live.driveColours.end[i]) + L" ";
    }

    std::wstring marks, ids, colours1, colours2;
    for (const DisplayRow& row : live.displayRows) {
        marks += row.shown ? L"1" : L"0";
        ids += std::to_wstring(idOf(row.id));
        colours1 += colourCell(row.colour1) + L" ";
        colours2 += colourCell(row.colour2) + L" ";
    }

    s.displayMarks = marks;
    s.displayOrder = ids;
    s.displayColours1 = trimBlanks(colours1);
    s.displayColours2 = trimBlanks(colours2);
    s.driveEndColours = trimBlanks(drivesEnd);
    s.driveStartColours = trimBlanks(drivesStart);
}

bool saveCloseList(LiveSettings& live, platform::TextFiles& files, const SettingsPaths& paths) {
    return WriteCloseList(files, paths.closeList, live.closeList, &live.closeListFile);
}

bool saveProxyList(LiveSettings& live, platform::TextFiles& files, const SettingsPaths& paths) {
    return WriteProxyList(files, paths.proxyList, live.proxyList, &live.proxyListFile);
}

std::wstring saveSettings(LiveSettings& live, platform::ProfileFile& ini,
                          platform::TextFiles& files, const SettingsPaths& paths,
                          platform::SecretBox& secrets) {
    composeListKeys(live);
    // The sources last: an older version reads past a section it does not know.
    bool ok = ini.update([&](platform::ProfileFile& copy) {
        bool written = writeSettings(copy, live.settings);
        return writeSources(copy, live.sources, secrets) && written;
    });
    ok = saveCloseList(live, files, paths) && ok;
    ok = saveProxyList(live, files, paths) && ok;
    return base::text(ok ? base::Text::Saved : base::Text::SaveFailed);
}

}  // namespace settings
