#include "settings/load_settings.h"

#include "settings/settings_file.h"

namespace settings {

settings::LiveSettings loadLiveSettings(platform::ProfileFile& ini, platform::TextFiles& files,
                                        const settings::SettingsPaths& paths,
                                        platform::SecretBox& secrets) {
    // Through a copy, so that a full disk cannot cut the file at start-up either.
    ini.update([](platform::ProfileFile& copy) {
        settings::applyVersionStep(copy);
        return true;
    });
    settings::LiveSettings live;
    settings::Settings& s = live.settings;
    s = settings::readSettings(ini);
    // The caption's readings belong to the taskbar button: without it they are off, and a save
    // writes them so.
    if (s.taskbarButtonOn != 1)
        s.taskbarShowsCpu = s.taskbarShowsMemory = s.taskbarShowsReceive = s.taskbarShowsSend = 0;
    live.inMultiplier = settings::speedMultiplierFor(s.receiveFullScale);
    live.outMultiplier = settings::speedMultiplierFor(s.sendFullScale);
    live.proxyList = settings::loadProxyList(files, paths.proxyList, &live.proxyListFile);
    live.closeList = settings::loadCloseList(files, paths.closeList, &live.closeListFile);
    live.driveColours = settings::parseDriveColours(s.driveEndColours, s.driveStartColours);
    live.displayRows = settings::buildDisplayRows(s.displayOrder, s.displayMarks, s.displayColours1,
                                                  s.displayColours2);
    live.sources = settings::readSources(ini, secrets);
    return live;
}

}  // namespace settings
