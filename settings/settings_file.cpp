#include "settings/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>

#include "settings/key_table.h"

namespace settings {
namespace {

constexpr const wchar_t* kOptions = L"Options";
constexpr size_t kIniBufferChars = 500;

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

// The save command writes in its own order, not in the reading order.
constexpr const wchar_t* kSaveOrder[] = {
    L"IPMC", L"AInterface", L"AutoClose", L"AutoSET", L"IPSET", L"ProxyM", L"TaskOnOff",
    L"TaskCPU", L"TaskMEM", L"TaskIn", L"TaskOut", L"MemMenu", L"AutoHddCheck", L"RemoteHostIP",
    L"ConnectedIP", L"ConnectedIP2", L"ConnectedIP3", L"RemotePort", L"ClipConnection",
    L"AutoClipConnection", L"AutoResumeClipConnection", L"ByteBit", L"SetFormTop", L"SetGraph",
    L"MouseOver", L"NetworkAdapter", L"GbMb", L"DrawType", L"NewVersionCheck", L"BackColor00",
    L"BackColor01", L"BackColor02", L"BackColor03", L"BackColor04", L"BackColor05",
    L"BackColor06", L"BackColor07", L"MemAuto", L"Slider1", L"Slider2", L"Slider3", L"Slider4",
    L"Slider5", L"Slider6", L"MemManualSize", L"MemDisplay", L"InSlider", L"OutSlider",
    L"MainWindowRefreshTime", L"AutoCloseRefreshTime", L"HddRefreshTime", L"Width", L"Height",
    L"X_WindowPosition", L"Y_WindowPosition", L"WindowHeight", L"WindowWidth",
    L"WindowScaleHeight", L"X_OptionWindowPosition", L"Y_OptionWindowPosition",
    L"MainListCheckMark", L"MainList", L"MainListColor1", L"MainListColor2", L"DrivesColor1",
    L"DrivesColor2", L"DrivesCheckMark", L"HddIndicationType1", L"HddIndicationType2",
};

}  // namespace

std::wstring ReadIniString(platform::ProfileFile& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& def) {
    std::wstring value = file.getString(section, key, def);
    if (auto nul = value.find(L'\0'); nul != std::wstring::npos) value.resize(nul);
    if (value.size() > kIniBufferChars - 1) value.resize(kIniBufferChars - 1);
    return value;
}

void applyVersionStep(platform::ProfileFile& file) {
    if (file.getInt(kOptions, L"Ver", 1) >= kSettingsVersion) return;
    file.write(kOptions, L"Ver", std::to_wstring(kSettingsVersion));
    file.remove(kOptions, L"MainListCheckMark");
    file.remove(kOptions, L"MainList");
    file.remove(L"ColorsOptions", L"MainListColor1");
    file.remove(L"ColorsOptions", L"MainListColor2");
    file.remove(kOptions, L"MainWindowRefreshTime");
}

Settings readSettings(platform::ProfileFile& file) {
    Settings s;
    for (const KeyDef& def : keyTable()) {
        std::visit(
            [&](auto member) {
                using M = decltype(member);
                if constexpr (std::is_same_v<M, int Settings::*>) {
                    int fallback = s.*member;
                    s.*member = bringIntoRange(def, file.getInt(def.section, def.key, fallback),
                                               fallback);
                } else if constexpr (std::is_same_v<M, float Settings::*>) {
                    s.*member = static_cast<float>(
                        file.getInt(def.section, def.key, static_cast<int>(s.*member)));
                } else if constexpr (std::is_same_v<M, std::wstring Settings::*>) {
                    s.*member = ReadIniString(file, def.section, def.key, s.*member);
                } else {
                    auto& slot = (s.*member)[def.colourIndex];
                    slot = file.getInt(def.section, def.key, slot);
                }
            },
            def.field);
    }
    return s;
}

bool writeSettings(platform::ProfileFile& file, const Settings& s) {
    bool ok = true;
    for (const wchar_t* key : kSaveOrder) {
        const KeyDef* def = findKey(key);
        if (!def) continue;
        std::wstring text = std::visit(
            [&](auto member) -> std::wstring {
                using M = decltype(member);
                if constexpr (std::is_same_v<M, int Settings::*>)
                    return std::to_wstring(s.*member);
                else if constexpr (std::is_same_v<M, float Settings::*>)
                    return singleText(s.*member);
                else if constexpr (std::is_same_v<M, std::wstring Settings::*>)
                    return s.*member;
                else
                    return std::to_wstring((s.*member)[def->colourIndex]);
            },
            def->field);
        ok = file.write(def->section, def->key, text) && ok;
    }
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
    if (sliderValue <= 160) return 1;
    return std::min(10, (sliderValue + 159) / 160);
}

}  // namespace settings
