#pragma once
#include <string>

#include "platform/profile_file.h"
#include "settings/settings.h"

namespace settings {

// Wrapper over the profile string read with a 500-character buffer: longer values are cut to 499.
std::wstring ReadIniString(platform::ProfileFile& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& def);

// The version step: a file older than this program's settings version is marked with it and
// loses the display list keys and the refresh period, so they come back at their defaults.
void applyVersionStep(platform::ProfileFile& file);

// Reads every key in table order, taking defaults for missing keys and bringing hand-edited
// values back into their control's range.
Settings readSettings(platform::ProfileFile& file);

// One text key by its field, with its default; for keys read apart from start-up's pass.
std::wstring readTextSetting(platform::ProfileFile& file, std::wstring Settings::*field);

// Writes every key in the save command's order; true when every write succeeded.
bool writeSettings(platform::ProfileFile& file, const Settings& s);

// A window coordinate as the text of a single-precision number ("2258", "1234.5").
std::wstring singleText(float value);

// A speed slider reaches this many steps per fast-line multiplier, up to the largest.
constexpr int kSpeedStepsPerMultiplier = 160;
constexpr int kLargestSpeedMultiplier = 10;
// The smallest multiplier whose scale holds a speed (receive or send slider steps).
int speedMultiplierFor(int sliderValue);

}  // namespace settings
