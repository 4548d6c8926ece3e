#include "settings/key_table.h"

#include <cstdlib>

namespace settings {
namespace {

constexpr const wchar_t* kOpt = L"Options";
constexpr const wchar_t* kCol = L"ColorsOptions";
constexpr const wchar_t* kMem = L"MemOptions";
constexpr const wchar_t* kWin = L"WindowResizeOptions";
constexpr const wchar_t* kServers = L"Servers";
constexpr const wchar_t* kHistory = L"History";
constexpr const wchar_t* kAlerts = L"Alerts";
constexpr const wchar_t* kDisplay = L"Display";
constexpr const wchar_t* kExport = L"Export";

using S = Settings;

constexpr KeyDef check(const wchar_t* sec, const wchar_t* key, int S::*f) {
    return {sec, key, f, Range::Clamp, 0, 1};
}
constexpr KeyDef option(const wchar_t* key, int S::*f, int max) {
    return {kOpt, key, f, Range::DefaultIfOut, 0, max};
}
constexpr KeyDef slider(const wchar_t* sec, const wchar_t* key, int S::*f, int min, int max) {
    return {sec, key, f, Range::Clamp, min, max};
}
constexpr KeyDef combo(const wchar_t* sec, const wchar_t* key, int S::*f, int max) {
    return {sec, key, f, Range::Clamp, -1, max};  // -1: nothing selected
}
constexpr KeyDef number(const wchar_t* sec, const wchar_t* key, int S::*f) {
    return {sec, key, f, Range::Any};
}
constexpr KeyDef text(const wchar_t* sec, const wchar_t* key, std::wstring S::*f) {
    return {sec, key, f, Range::Any};
}
constexpr KeyDef twips(const wchar_t* sec, const wchar_t* key, float S::*f) {
    return {sec, key, f, Range::Any};
}
constexpr KeyDef colour(const wchar_t* key, int i) {
    return {kCol, key, &S::colours, Range::Any, 0, 0, i};
}
// A key read but never written by the save command.
constexpr KeyDef neverSaved(KeyDef def) {
    def.saved = false;
    return def;
}

// Every key, in the order start-up reads them and the save command writes them; its default is the
// initialiser of its field in Settings. A profile file keeps a section's keys in the order they
// were first written and its sections in the order of their first keys, so a new key is one row:
// at the end of its section's rows (in the file it follows its section's last key wherever the
// row stands), and a new section's rows after every other row.
constexpr std::array kTable = {
    neverSaved(number(kOpt, L"Ver", &S::fileVersion)),  // written by the version step only
    check(kOpt, L"IPMC", &S::showIpCopyEntry),
    check(kOpt, L"AInterface", &S::autoAdapter),
    check(kOpt, L"AutoClose", &S::autoCloseOn),
    check(kOpt, L"AutoSET", &S::saveAtExit),
    check(kOpt, L"IPSET", &S::showIpReacquireEntry),
    check(kOpt, L"ProxyM", &S::showProxyMenu),
    check(kOpt, L"TaskOnOff", &S::taskbarButtonOn),
    check(kOpt, L"TaskCPU", &S::taskbarShowsCpu),
    check(kOpt, L"TaskMEM", &S::taskbarShowsMemory),
    check(kOpt, L"TaskIn", &S::taskbarShowsReceive),
    check(kOpt, L"TaskOut", &S::taskbarShowsSend),
    check(kOpt, L"MemMenu", &S::showMemoryReleaseEntry),
    check(kOpt, L"AutoHddCheck", &S::tickAllDrives),
    text(kOpt, L"RemoteHostIP", &S::linkRemoteHost),
    text(kOpt, L"ConnectedIP", &S::linkAllowed1),
    text(kOpt, L"ConnectedIP2", &S::linkAllowed2),
    text(kOpt, L"ConnectedIP3", &S::linkAllowed3),
    text(kOpt, L"RemotePort", &S::linkPort),
    check(kOpt, L"ClipConnection", &S::clipboardLinkOn),
    check(kOpt, L"AutoClipConnection", &S::linkConnectAtStart),
    check(kOpt, L"AutoResumeClipConnection", &S::linkReconnect),
    option(L"ByteBit", &S::rateUnit, 1),
    option(L"SetFormTop", &S::topmostChoice, 1),
    option(L"SetGraph", &S::graphSource, 4),
    option(L"MouseOver", &S::hoverChoice, 1),
    number(kOpt, L"NetworkAdapter", &S::adapterIndex),  // checked against the adapter list
    option(L"GbMb", &S::diskUnit, 1),
    option(L"DrawType", &S::drawMode, 1),
    check(kOpt, L"NewVersionCheck", &S::checkForUpdates),
    colour(L"BackColor00", 0),
    colour(L"BackColor01", 1),
    colour(L"BackColor02", 2),
    colour(L"BackColor03", 3),
    colour(L"BackColor04", 4),
    colour(L"BackColor05", 5),
    colour(L"BackColor06", 6),
    colour(L"BackColor07", 7),
    check(kMem, L"MemAuto", &S::autoReleaseOn),
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
    twips(kHistory, L"Left", &S::historyLeft),
    twips(kHistory, L"Top", &S::historyTop),
    twips(kHistory, L"Width", &S::historyWidth),
    twips(kHistory, L"Height", &S::historyHeight),
    check(kAlerts, L"CpuOn", &S::alertCpuOn),
    slider(kAlerts, L"CpuPercent", &S::alertCpuPercent, 1, 100),
    slider(kAlerts, L"CpuSeconds", &S::alertCpuSeconds, 1, 3600),
    check(kAlerts, L"MemoryOn", &S::alertMemoryOn),
    slider(kAlerts, L"MemoryPercent", &S::alertMemoryPercent, 1, 100),
    check(kAlerts, L"DriveOn", &S::alertDriveOn),
    slider(kAlerts, L"DrivePercent", &S::alertDrivePercent, 1, 100),
    check(kAlerts, L"TrafficOn", &S::alertTrafficOn),
    slider(kAlerts, L"TrafficMB", &S::alertTrafficMegabytes, 1, 10000000),
    check(kAlerts, L"TrayLoadIcon", &S::trayLoadIcon),
    text(kDisplay, L"Language", &S::language),
    check(kExport, L"On", &S::exportOn),
    text(kExport, L"Port", &S::exportPort),
    text(kExport, L"Address", &S::exportAddress),
    text(kExport, L"Allowed", &S::exportAllowed),
    // The maker's pages: edited by hand, never saved.
    neverSaved(text(kServers, L"UpdatePage", &S::updatePage)),
    neverSaved(text(kServers, L"IpPage", &S::ipPage)),
    neverSaved(text(kServers, L"HomePage", &S::homePage)),
    neverSaved(text(kServers, L"CounterPage", &S::counterPage)),
};

constexpr size_t savedKeyCount() {
    size_t n = 0;
    for (const KeyDef& def : kTable) n += def.saved;
    return n;
}

constexpr std::array<const KeyDef*, savedKeyCount()> makeSaveOrder() {
    std::array<const KeyDef*, savedKeyCount()> order{};
    size_t n = 0;
    for (const KeyDef& def : kTable)
        if (def.saved) order[n++] = &def;
    return order;
}

constexpr auto kSaveOrder = makeSaveOrder();

}  // namespace

std::span<const KeyDef> keyTable() { return kTable; }

std::span<const KeyDef* const> saveOrder() { return kSaveOrder; }

const KeyDef& keyOf(const Field& field) {
    for (const KeyDef& def : kTable)
        if (def.field == field) return def;
    std::abort();  // every field of Settings has its key
}

}  // namespace settings
