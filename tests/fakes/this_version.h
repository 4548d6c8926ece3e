#pragma once
#include <string>

#include "settings/settings.h"

namespace fakes {

// This version's settings number as the files and pages write it ("336" for 3.36), or the one
// `step` versions on: tests name versions through it, so that a version step changes no test.
inline std::wstring thisVersion(int step = 0) {
    return std::to_wstring(settings::kSettingsVersion + step);
}

// A settings file that holds only this version, as the first start writes it.
inline std::string versionOnlyIni() {
    return "[Options]\r\nVer=" + std::to_string(settings::kSettingsVersion) + "\r\n";
}

}  // namespace fakes
