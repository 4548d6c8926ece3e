#include "settings/key_table.h"

#include <array>

namespace settings {
namespace {

constexpr const wchar_t* kOpt = L"Options";
constexpr const wchar_t* kCol = L"ColorsOptions";
constexpr const wchar_t* kMem = L"MemOptions";
constexpr const wchar_t* kWin = L"WindowResizeOptions";

using S = Settings;

KeyDef check(const wchar_t* key, int S::*f) { return {kOpt, key, f, Range::Clamp, 0, 1}; }
KeyDef option(const wchar_t* sec, const wchar_t* key, int S::*f, int max) {
    return {sec, key, f, Range::DefaultIfOut, 0, max};
}
KeyDef slider(const wchar_t* sec, const wchar_t* key, int S::*f, int min, int max) {
    return {sec, key, f, Range::Clamp, min, max};
}
KeyDef combo(const wchar_t* sec, const wchar_t* key, int S::*f, int max) {
    return {sec, key, f, Range::Clamp, -1, max};  // -1: nothing selected
}
KeyDef text(const wchar_t* sec, const wchar_t* key, std::wstring S::*f) { return {sec, key, f}; }
KeyDef twips(const wchar_t* sec, const wchar_t* key, float S::*f) { return {sec, key, f}; }
KeyDef colour(int i, const wchar_t* key) { return {kCol, key, &S::colours, Range::Any, 0, 0, i}; }

const std::array kTable = {
    check(L"IPMC", &S::showIpCopyEntry),
    check(L"AInterface", &S::autoAdapter),
    check(L"AutoClose", &S::autoCloseOn),
    check(L"AutoSET", &S::saveAtExit),
    check(L"IPSET", &S::showIpReacquireEntry),
    check(L"ProxyM", &S::showProxyMenu),
    check(L"TaskOnOff", &S::taskbarButtonOn),
    check(L"TaskCPU", &S::taskbarShowsCpu),
    check(L"TaskMEM", &S::taskbarShowsMemory),
    check(L"TaskIn", &S::taskbarShowsReceive),
    check(L"TaskOut", &S::taskbarShowsSend),
    check(L"MemMenu", &S::showMemoryReleaseEntry),
    check(L"AutoHddCheck", &S::tickAllDrives),
    text(kOpt, L"RemoteHostIP", &S::linkRemoteHost),
    text(kOpt, L"ConnectedIP", &S::linkAllowed1),
    text(kOpt, L"ConnectedIP2", &S::linkAllowed2),
    text(kOpt, L"ConnectedIP3", &S::linkAllowed3),
    text(kOpt, L"RemotePort", &S::linkPort),
    check(L"ClipConnection", &S::clipboardLinkOn),
    check(L"AutoClipConnection", &S::linkConnectAtStart),
    check(L"AutoResumeClipConnection", &S::linkReconnect),
    option(kOpt, L"ByteBit", &S::rateUnit, 1),
    option(kOpt, L"SetFormTop", &S::topmostChoice, 1),
    option(kOpt, L"SetGraph", &S::graphSource, 4),
    option(kOpt, L"MouseOver", &S::hoverChoice, 1),
    KeyDef{kOpt, L"NetworkAdapter", &S::adapterIndex},  // checked against the adapter list
    option(kOpt, L"GbMb", &S::diskUnit, 1),
    option(kOpt, L"DrawType", &S::drawMode, 1),
    check(L"NewVersionCheck", &S::checkForUpdates),
    colour(0, L"BackColor00"),
    colour(1, L"BackColor01"),
    colour(2, L"BackColor02"),
    colour(3, L"BackColor03"),
    colour(4, L"BackColor04"),
    colour(5, L"BackColor05"),
    colour(6, L"BackColor06"),
    colour(7, L"BackColor07"),
    KeyDef{kMem, L"MemAuto", &S::autoReleaseOn, Range::Clamp, 0, 1},
    slider(kMem, L"Slider1", &S::autoReleaseMegabytes, 0, 1000),
    slider(kMem, L"Slider2", &S::freeMemoryThresholdMegabytes, 0, 1000),
    slider(kMem, L"Slider3", &S::releaseIntervalMinutes, 1, 120),
    slider(kMem, L"Slider4", &S::idleLoadPercent, 0, 100),
    slider(kMem, L"Slider5", &S::idleSeconds, 0, 240),
    slider(kMem, L"Slider6", &S::startupIpWaitSeconds, 0, 60),
    slider(kMem, L"MemManualSize", &S::manualReleaseMegabytes, 0, 1000),
    combo(kMem, L"MemDisplay", &S::memoryFormat, 2),
    twips(kWin, L"Width", &S::sizeWindowWidth),
    twips(kWin, L"Height", &S::sizeWindowHeight),
    slider(kOpt, L"InSlider", &S::receiveFullScale, 1, 1600),  // 160 x the largest multiplier
    slider(kOpt, L"OutSlider", &S::sendFullScale, 1, 1600),
    slider(kOpt, L"MainWindowRefreshTime", &S::refreshIntervalTenths, 1, 100),
    slider(kOpt, L"AutoCloseRefreshTime", &S::autoCloseIntervalTenths, 1, 20),
    slider(kOpt, L"HddRefreshTime", &S::driveRefreshSeconds, 1, 60),
    twips(kOpt, L"X_WindowPosition", &S::mainLeft),
    twips(kOpt, L"Y_WindowPosition", &S::mainTop),
    twips(kOpt, L"WindowHeight", &S::mainHeight),
    twips(kOpt, L"WindowWidth", &S::mainWidth),
    twips(kOpt, L"WindowScaleHeight", &S::mainScaleHeight),
    twips(kOpt, L"X_OptionWindowPosition", &S::optionsLeft),
    twips(kOpt, L"Y_OptionWindowPosition", &S::optionsTop),
    text(kOpt, L"MainListCheckMark", &S::displayMarks),
    text(kOpt, L"MainList", &S::displayOrder),
    text(kCol, L"MainListColor1", &S::displayColours1),
    text(kCol, L"MainListColor2", &S::displayColours2),
    text(kCol, L"DrivesColor1", &S::driveEndColours),
    text(kCol, L"DrivesColor2", &S::driveStartColours),
    text(kOpt, L"DrivesCheckMark", &S::driveMarks),
    combo(kOpt, L"HddIndicationType1", &S::driveFigure1, 3),
    combo(kOpt, L"HddIndicationType2", &S::driveFigure2, 2),
};

}  // namespace

std::span<const KeyDef> keyTable() { return kTable; }

const KeyDef* findKey(const std::wstring& key) {
    for (const KeyDef& def : kTable)
        if (key == def.key) return &def;
    return nullptr;
}

}  // namespace settings
