#pragma once
#include <string>

#include "platform/profile_file.h"
#include "platform/text_files.h"
#include "settings/live_settings.h"

namespace settings {

struct SettingsPaths {
    std::wstring ini;
    std::wstring closeList;
    std::wstring proxyList;
    static SettingsPaths inFolder(const std::wstring& exeFolder);
};

// Composes the packed list keys from the live lists.
void composeListKeys(LiveSettings& live);

// The list writers as saving uses them: a list whose file could not be read whole, or that is
// as it was loaded, leaves its file alone.
bool saveCloseList(LiveSettings& live, platform::TextFiles& files, const SettingsPaths& paths);
bool saveProxyList(LiveSettings& live, platform::TextFiles& files, const SettingsPaths& paths);

// The save command: every key, then CloseList.txt, then ProxyList.txt. Returns the status text,
// which reports a failure when any write failed.
std::wstring saveSettings(LiveSettings& live, platform::ProfileFile& ini,
                          platform::TextFiles& files, const SettingsPaths& paths,
                          platform::SecretBox& secrets = platform::noSecrets());

}  // namespace settings
