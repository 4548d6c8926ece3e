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

constexpr KeyDef check(int save, const wchar_t* sec, const wchar_t* key, int S::*f) {
    return {sec, key, f, Range::Clamp, 0, 1, -1, save};
}
constexpr KeyDef option(int save, const wchar_t* key, int S::*f, int max) {
    return {kOpt, key, f, Range::DefaultIfOut, 0, max, -1, save};
}
constexpr KeyDef slider(int save, const wchar_t* sec, const wchar_t* key, int S::*f, int min,
                        int max) {
    return {sec, key, f, Range::Clamp, min, max, -1, save};
}
constexpr KeyDef combo(int save, const wchar_t* sec, const wchar_t* key, int S::*f, int max) {
    return {sec, key, f, Range::Clamp, -1, max, -1, save};  // -1: nothing selected
}
constexpr KeyDef number(int save, const wchar_t* sec, const wchar_t* key, int S::*f) {
    return {sec, key, f, Range::Any, 0, 0, -1, save};
}
constexpr KeyDef text(int save, const wchar_t* sec, const wchar_t* key, std::wstring S::*f) {
    return {sec, key, f, Range::Any, 0, 0, -1, save};
}
constexpr KeyDef twips(int save, const wchar_t* sec, const wchar_t* key, float S::*f) {
    return {sec, key, f, Range::Any, 0, 0, -1, save};
}
constexpr KeyDef colour(int save, const wchar_t* key, int i) {
    return {kCol, key, &S::colours, Range::Any, 0, 0, i, save};
}

// Every key in reading order. A row's first number is the key's place in the save command's order
// (0: never saved); its default is the initialiser of its field in Settings.
constexpr std::array kTable = {
    number(0, kOpt, L"Ver", &S::fileVersion),  // written by the version step only
    check(1, kOpt, L"IPMC", &S::showIpCopyEntry),
    check(2, kOpt, L"AInterface", &S::autoAdapter),
    check(3, kOpt, L"AutoClose", &S::autoCloseOn),
    check(4, kOpt, L"AutoSET", &S::saveAtExit),
    check(5, kOpt, L"IPSET", &S::showIpReacquireEntry),
    check(6, kOpt, L"ProxyM", &S::showProxyMenu),
    check(7, kOpt, L"TaskOnOff", &S::taskbarButtonOn),
    check(8, kOpt, L"TaskCPU", &S::taskbarShowsCpu),
    check(9, kOpt, L"TaskMEM", &S::taskbarShowsMemory),
    check(10, kOpt, L"TaskIn", &S::taskbarShowsReceive),
    check(11, kOpt, L"TaskOut", &S::taskbarShowsSend),
    check(12, kOpt, L"MemMenu", &S::showMemoryReleaseEntry),
    check(13, kOpt, L"AutoHddCheck", &S::tickAllDrives),
    text(14, kOpt, L"RemoteHostIP", &S::linkRemoteHost),
    text(15, kOpt, L"ConnectedIP", &S::linkAllowed1),
    text(16, kOpt, L"ConnectedIP2", &S::linkAllowed2),
    text(17, kOpt, L"ConnectedIP3", &S::linkAllowed3),
    text(18, kOpt, L"RemotePort", &S::linkPort),
    check(19, kOpt, L"ClipConnection", &S::clipboardLinkOn),
    check(20, kOpt, L"AutoClipConnection", &S::linkConnectAtStart),
    check(21, kOpt, L"AutoResumeClipConnection", &S::linkReconnect),
    option(22, L"ByteBit", &S::rateUnit, 1),
    option(23, L"SetFormTop", &S::topmostChoice, 1),
    option(24, L"SetGraph", &S::graphSource, 4),
    option(25, L"MouseOver", &S::hoverChoice, 1),
    number(26, kOpt, L"NetworkAdapter", &S::adapterIndex),  // checked against the adapter list
    option(27, L"GbMb", &S::diskUnit, 1),
    option(28, L"DrawType", &S::drawMode, 1),
    check(29, kOpt, L"NewVersionCheck", &S::checkForUpdates),
    colour(30, L"BackColor00", 0),
    colour(31, L"BackColor01", 1),
    colour(32, L"BackColor02", 2),
    colour(33, L"BackColor03", 3),
    colour(34, L"BackColor04", 4),
    colour(35, L"BackColor05", 5),
    colour(36, L"BackColor06", 6),
    colour(37, L"BackColor07", 7),
    check(38, kMem, L"MemAuto", &S::autoReleaseOn),
    slider(39, kMem, L"Slider1", &S::autoReleaseMegabytes, 0, 1000),
    slider(40, kMem, L"Slider2", &S::freeMemoryThresholdMegabytes, 0, 1000),
    slider(41, kMem, L"Slider3", &S::releaseIntervalMinutes, 1, 120),
    slider(42, kMem, L"Slider4", &S::idleLoadPercent, 0, 100),
    slider(43, kMem, L"Slider5", &S::idleSeconds, 0, 240),
    slider(44, kMem, L"Slider6", &S::startupIpWaitSeconds, 0, 60),
    slider(45, kMem, L"MemManualSize", &S::manualReleaseMegabytes, 0, 1000),
    combo(46, kMem, L"MemDisplay", &S::memoryFormat, 2),
    twips(52, kWin, L"Width", &S::sizeWindowWidth),
    twips(53, kWin, L"Height", &S::sizeWindowHeight),
    slider(47, kOpt, L"InSlider", &S::receiveFullScale, 1, 1600),  // 160 x the largest multiplier
    slider(48, kOpt, L"OutSlider", &S::sendFullScale, 1, 1600),
    slider(49, kOpt, L"MainWindowRefreshTime", &S::refreshIntervalTenths, 1, 100),
    slider(50, kOpt, L"AutoCloseRefreshTime", &S::autoCloseIntervalTenths, 1, 20),
    slider(51, kOpt, L"HddRefreshTime", &S::driveRefreshSeconds, 1, 60),
    twips(54, kOpt, L"X_WindowPosition", &S::mainLeft),
    twips(55, kOpt, L"Y_WindowPosition", &S::mainTop),
    twips(56, kOpt, L"WindowHeight", &S::mainHeight),
    twips(57, kOpt, L"WindowWidth", &S::mainWidth),
    twips(58, kOpt, L"WindowScaleHeight", &S::mainScaleHeight),
    twips(59, kOpt, L"X_OptionWindowPosition", &S::optionsLeft),
    twips(60, kOpt, L"Y_OptionWindowPosition", &S::optionsTop),
    text(61, kOpt, L"MainListCheckMark", &S::displayMarks),
    text(62, kOpt, L"MainList", &S::displayOrder),
    text(63, kCol, L"MainListColor1", &S::displayColours1),
    text(64, kCol, L"MainListColor2", &S::displayColours2),
    text(65, kCol, L"DrivesColor1", &S::driveEndColours),
    text(66, kCol, L"DrivesColor2", &S::driveStartColours),
    text(67, kOpt, L"DrivesCheckMark", &S::driveMarks),
    combo(68, kOpt, L"HddIndicationType1", &S::driveFigure1, 3),
    combo(69, kOpt, L"HddIndicationType2", &S::driveFigure2, 2),
    twips(70, kHistory, L"Left", &S::historyLeft),
    twips(71, kHistory, L"Top", &S::historyTop),
    twips(72, kHistory, L"Width", &S::historyWidth),
    twips(73, kHistory, L"Height", &S::historyHeight),
    check(74, kAlerts, L"CpuOn", &S::alertCpuOn),
    slider(75, kAlerts, L"CpuPercent", &S::alertCpuPercent, 1, 100),
    slider(76, kAlerts, L"CpuSeconds", &S::alertCpuSeconds, 1, 3600),
    check(77, kAlerts, L"MemoryOn", &S::alertMemoryOn),
    slider(78, kAlerts, L"MemoryPercent", &S::alertMemoryPercent, 1, 100),
    check(79, kAlerts, L"DriveOn", &S::alertDriveOn),
    slider(80, kAlerts, L"DrivePercent", &S::alertDrivePercent, 1, 100),
    check(81, kAlerts, L"TrafficOn", &S::alertTrafficOn),
    slider(82, kAlerts, L"TrafficMB", &S::alertTrafficMegabytes, 1, 10000000),
    check(83, kAlerts, L"TrayLoadIcon", &S::trayLoadIcon),
    text(84, kDisplay, L"Language", &S::language),
    check(85, kExport, L"On", &S::exportOn),
    text(86, kExport, L"Port", &S::exportPort),
    text(87, kExport, L"Address", &S::exportAddress),
    text(88, kExport, L"Allowed", &S::exportAllowed),
    // The maker's pages: edited by hand, never saved.
    text(0, kServers, L"UpdatePage", &S::updatePage),
    text(0, kServers, L"IpPage", &S::ipPage),
    text(0, kServers, L"HomePage", &S::homePage),
    text(0, kServers, L"CounterPage", &S::counterPage),
};

constexpr size_t savedKeyCount() {
    size_t n = 0;
    for (const KeyDef& def : kTable) n += def.savePosition > 0;
    return n;
}

constexpr size_t kSaved = savedKeyCount();

// The save positions are 1 to the number of saved keys, each taken once.
constexpr bool savePositionsComplete() {
    std::array<int, kSaved + 1> taken{};
    for (const KeyDef& def : kTable) {
        if (def.savePosition < 0 || static_cast<size_t>(def.savePosition) > kSaved) return false;
        ++taken[def.savePosition];
    }
    for (size_t p = 1; p <= kSaved; ++p)
        if (taken[p] != 1) return false;
    return true;
}
static_assert(savePositionsComplete(),
              "the save positions must run from 1 to the number of saved keys, each taken once: "
              "give a new key the place after the last key of its section and move the keys "
              "after it up by one");

constexpr std::array<const KeyDef*, kSaved> makeSaveOrder() {
    std::array<const KeyDef*, kSaved> order{};
    for (const KeyDef& def : kTable)
        if (def.savePosition > 0) order[def.savePosition - 1] = &def;
    return order;
}

constexpr std::array<const KeyDef*, kSaved> kSaveOrder = makeSaveOrder();

}  // namespace

std::span<const KeyDef> keyTable() { return kTable; }

std::span<const KeyDef* const> saveOrder() { return kSaveOrder; }

const KeyDef& keyOf(const Field& field) {
    for (const KeyDef& def : kTable)
        if (def.field == field) return def;
    std::abort();  // every field of Settings has its key
}

}  // namespace settings
