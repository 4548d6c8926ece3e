#pragma once
#include "platform/profile_file.h"
#include "platform/text_files.h"
#include "settings/live_settings.h"
#include "settings/save_command.h"

namespace settings {

// The settings part of start-up: the version step, every key, the speed multipliers, the
// display rows, the drive colour table and the two side lists.
settings::LiveSettings loadLiveSettings(platform::ProfileFile& ini, platform::TextFiles& files,
                                        const settings::SettingsPaths& paths,
                                        platform::SecretBox& secrets = platform::noSecrets());

}  // namespace settings
