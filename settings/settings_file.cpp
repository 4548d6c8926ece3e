#include "settings/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>

#include "settings/key_table.h"

namespace settings {
namespace {

constexpr size_t kIniBufferChars = 500;
// Window coordinates are written as single-precision text, which takes an exponent from eight
// digits on ("1E+08") that the integer read would take as 1; hand-edited values stop short of it.
constexpr int kMaxCoordinateTwips = 9'999'999;

int bringIntoRange(const KeyDef& def, int value, int fallback) {
    switch (def.range) {
        case Range::Clamp:
            return std::clamp(value, def.min, def.max);
        case Range::DefaultIfOut:
            return (value < def.min || value > def.max) ? fallback : value;
        case Range::Any:
            break;
    }
    return value;
}

// Reads one key into `s`, whose field holds the default.
void readKey(platform::ProfileFile& file, const KeyDef& def, Settings& s) {
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int Settings::*>) {
                int fallback = s.*member;
                s.*member =
                    bringIntoRange(def, file.getInt(def.section, def.key, fallback), fallback);
            } else if constexpr (std::is_same_v<M, float Settings::*>) {
                int twips = file.getInt(def.section, def.key, static_cast<int>(s.*member));
                s.*member = static_cast<float>(
                    std::clamp(twips, -kMaxCoordinateTwips, kMaxCoordinateTwips));
            } else if constexpr (std::is_same_v<M, std::wstring Settings::*>) {
                s.*member = ReadIniString(file, def.section, def.key, s.*member);
            } else {
                auto& slot = (s.*member)[def.colourIndex];
                slot = file.getInt(def.section, def.key, slot);
            }
        },
        def.field);
}

std::wstring valueText(const KeyDef& def, const Settings& s) {
    return std::visit(
        [&](auto member) -> std::wstring {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int Settings::*>)
                return std::to_wstring(s.*member);
            else if constexpr (std::is_same_v<M, float Settings::*>)
                return singleText(s.*member);
            else if constexpr (std::is_same_v<M, std::wstring Settings::*>)
                return s.*member;
            else
                return std::to_wstring((s.*member)[def.colourIndex]);
        },
        def.field);
}

}  // namespace

std::wstring ReadIniString(platform::ProfileFile& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& def) {
    std::wstring value = file.getString(section, key, def);
    if (auto nul = value.find(L'\0'); nul != std::wstring::npos) value.resize(nul);
    if (value.size() > kIniBufferChars - 1) value.resize(kIniBufferChars - 1);
    return value;
}

void applyVersionStep(platform::ProfileFile& file) {
    const KeyDef& version = keyOf(&Settings::fileVersion);
    if (file.getInt(version.section, version.key, Settings{}.fileVersion) >= kSettingsVersion)
        return;
    file.write(version.section, version.key, std::to_wstring(kSettingsVersion));
    for (const Field& field : {Field(&Settings::displayMarks), Field(&Settings::displayOrder),
                               Field(&Settings::displayColours1), Field(&Settings::displayColours2),
                               Field(&Settings::refreshIntervalTenths)}) {
        const KeyDef& gone = keyOf(field);
        file.remove(gone.section, gone.key);
    }
}

Settings readSettings(platform::ProfileFile& file) {
    Settings s;
    for (const KeyDef& def : keyTable()) readKey(file, def, s);
    return s;
}

std::wstring readTextSetting(platform::ProfileFile& file, std::wstring Settings::*field) {
    Settings s;
    readKey(file, keyOf(field), s);
    return s.*field;
}

bool writeSettings(platform::ProfileFile& file, const Settings& s) {
    std::vector<std::wstring> sections;
    for (const KeyDef* def : saveOrder())
        if (std::find(sections.begin(), sections.end(), def->section) == sections.end())
            sections.push_back(def->section);
    file.orderSections(std::move(sections));
    bool ok = true;
    for (const KeyDef* def : saveOrder())
        ok = file.write(def->section, def->key, valueText(*def, s)) && ok;
    return ok;
}

std::wstring singleText(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(value));
    std::wstring text(buf, buf + std::char_traits<char>::length(buf));
    if (text == L"-0") text = L"0";
    return text;
}

int speedMultiplierFor(int sliderValue) {
    return std::clamp((sliderValue + kSpeedStepsPerMultiplier - 1) / kSpeedStepsPerMultiplier, 1,
                      kLargestSpeedMultiplier);
}

}  // namespace settings
