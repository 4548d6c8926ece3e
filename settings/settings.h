#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/version.h"

namespace settings {

// Written as "Ver" into the settings file: 336 for 3.36.
constexpr int kSettingsVersion = KORVANT_VERSION_MAJOR * 100 + KORVANT_VERSION_MINOR;
inline const wchar_t* const kVersionText = L"Ver" KORVANT_VERSION_DOTTED;

// base/version.h spells the version as numbers and as text (for the resources and the scripts).
constexpr bool versionTextMatches(std::string_view dotted, int major, int minor) {
    auto number = [](std::string_view digits) {
        int n = digits.empty() ? -1 : 0;
        for (char c : digits) n = (c < '0' || c > '9' || n < 0) ? -1 : n * 10 + (c - '0');
        return n;
    };
    size_t dot = dotted.find('.');
    return dot != std::string_view::npos && number(dotted.substr(0, dot)) == major &&
           number(dotted.substr(dot + 1)) == minor;
}
static_assert(versionTextMatches(KORVANT_VERSION_DOTTED, KORVANT_VERSION_MAJOR,
                                 KORVANT_VERSION_MINOR),
              "KORVANT_VERSION_DOTTED must read as KORVANT_VERSION_MAJOR.KORVANT_VERSION_MINOR");

// Timer intervals from the units the settings keep them in.
constexpr unsigned millisecondsOfTenths(int tenths) {
    return tenths > 0 ? static_cast<unsigned>(tenths) * 100 : 0;
}
constexpr unsigned millisecondsOfSeconds(int seconds) {
    return seconds > 0 ? static_cast<unsigned>(seconds) * 1000 : 0;
}

// What the stored index of each option-button group means.
enum RateUnit : int { kKilobytesPerSecond = 0, kKilobitsPerSecond = 1 };
enum TopmostChoice : int { kAlwaysOnTop = 0, kNotOnTop = 1 };
enum GraphSource : int { kGraphNone = 0, kGraphProcessor, kGraphMemory, kGraphReceive, kGraphSend };
enum HoverChoice : int { kHoverStays = 0, kHoverHides = 1 };
enum DiskUnit : int { kGigabytes = 0, kMegabytes = 1 };
enum DrawMode : int { kScalableWindow = 0, kFixedSize = 1 };
// ... and of each choice list.
enum MemoryFormat : int { kUsedOfTotal = 0, kFreeOfTotal = 1, kUsedAndFree = 2 };
enum DriveFigure : int { kDriveUsed = 0, kDriveFree = 1, kDriveTotal = 2, kDriveFigureHidden = 3 };

// Positions in Settings::colours.
enum ColourIndex {
    kBackgroundColour = 0,
    kTextColour = 1,
    kStoredColour2 = 2,  // stored and restored only
    kStoredColour3 = 3,
    kStoredColour4 = 4,
    kDriveStartPickColour = 5,  // also the last picked drive start colour
    kGraphLineColour = 6,
    kGraphBackColour = 7,
};

// Every setting of KorvaNT.ini (the key table maps them to their keys); the initialisers are
// the defaults, and the only place they are written. Window coordinates are twips, kept in single
// precision as the windows report them.
struct Settings {
    int fileVersion = 1;  // the settings version the file was written for; 1 when it names none
    int showIpCopyEntry = 0;
    int autoAdapter = 1;
    int autoCloseOn = 0;
    int saveAtExit = 1;
    int showIpReacquireEntry = 0;
    int showProxyMenu = 0;
    int taskbarButtonOn = 0;
    int taskbarShowsCpu = 0;
    int taskbarShowsMemory = 0;
    int taskbarShowsReceive = 0;
    int taskbarShowsSend = 0;
    int showMemoryReleaseEntry = 0;
    int tickAllDrives = 1;
    std::wstring linkRemoteHost = L"192.168.1.3";
    std::wstring linkAllowed1 = L"192.168.1.3";
    std::wstring linkAllowed2 = L"192.168.1.4";
    std::wstring linkAllowed3 = L"192.168.1.5";
    std::wstring linkPort = L"5580";
    int clipboardLinkOn = 0;
    int linkConnectAtStart = 0;
    int linkReconnect = 0;
    int rateUnit = kKilobytesPerSecond;  // a RateUnit
    int topmostChoice = kNotOnTop;       // a TopmostChoice
    int graphSource = kGraphProcessor;   // a GraphSource
    int hoverChoice = kHoverStays;       // a HoverChoice
    int adapterIndex = 0;
    int diskUnit = kGigabytes;  // a DiskUnit
    int drawMode = kFixedSize;  // a DrawMode
    int checkForUpdates = 1;
    std::array<std::int32_t, 8> colours = {15771376, 8009094,  8454016,  16777088,
                                           16777215, 12615935, 16711680, 12615935};
    int autoReleaseOn = 0;
    int autoReleaseMegabytes = 10;
    int freeMemoryThresholdMegabytes = 10;
    int releaseIntervalMinutes = 3;
    int idleLoadPercent = 10;
    int idleSeconds = 20;
    int startupIpWaitSeconds = 3;
    int manualReleaseMegabytes = 10;
    int memoryFormat = kUsedOfTotal;  // a MemoryFormat
    // the window size window
    float sizeWindowWidth = 700;
    float sizeWindowHeight = 500;
    // the history window, in a section of its own after the others
    float historyLeft = 1440;
    float historyTop = 1440;
    float historyWidth = 10800;
    float historyHeight = 9000;
    // threshold alerts and the tray icon's load bars, in a section of their own after the others
    int alertCpuOn = 0;
    int alertCpuPercent = 90;
    int alertCpuSeconds = 60;
    int alertMemoryOn = 0;
    int alertMemoryPercent = 90;
    int alertDriveOn = 0;
    int alertDrivePercent = 10;
    int alertTrafficOn = 0;
    int alertTrafficMegabytes = 10000;
    int trayLoadIcon = 0;
    // the user interface's language, in a section of its own after every other: "ja" or "en"
    std::wstring language = L"ja";
    // the readings served over HTTP, in the last section: off, loopback only by default
    int exportOn = 0;
    std::wstring exportPort = L"9184";
    std::wstring exportAddress = L"127.0.0.1";
    std::wstring exportAllowed;  // remote addresses, blank- or comma-separated
    int receiveFullScale = 1;
    int sendFullScale = 1;
    int refreshIntervalTenths = 5;
    int autoCloseIntervalTenths = 5;
    int driveRefreshSeconds = 10;
    // the main window, then the options window
    float mainLeft = 0;
    float mainTop = 0;
    float mainHeight = 2258;
    float mainWidth = 2496;
    float mainScaleHeight = 142;
    float optionsLeft = 2475;
    float optionsTop = 1;
    // packed list keys
    std::wstring displayMarks = L"11111111110000110000110";
    std::wstring displayOrder =
        L"113100101102103110111112104105106107108109114115116117118119121122123";
    std::wstring displayColours1 =
        L"-2147483633 00016777215 00016777215 00016777215 00016777215 -2147483633 -2147483633 "
        L"-2147483633 -2147483633 -2147483633 -2147483633 -2147483633 -2147483633 -2147483633 "
        L"-2147483633 -2147483633 00016777215 00016777215 00016777215 00016777215 00016777215 "
        L"00016777215 00016777215";
    std::wstring displayColours2 =
        L"00000000000 00000000255 00000065535 00000065280 00016777088 00000000000 00000000000 "
        L"00000000000 00000000000 00000000000 00000000000 00000000000 00000000000 00000000000 "
        L"00000000000 00000000000 00008454143 00008454016 00008454016 00008454016 00008454016 "
        L"00008454016 00008454016";
    std::wstring driveEndColours =
        L"00000065535 00000065280 00016776960 00016744448 00012615935 00016711935 00008421631";
    std::wstring driveStartColours =
        L"00016777215 00016777215 00016777215 00016777215 00016777215 00016777215 00016777215";
    std::wstring driveMarks = L"100000000000";
    int driveFigure1 = kDriveFigureHidden;  // a DriveFigure
    int driveFigure2 = kDriveFree;          // a DriveFigure, never hidden
    // the maker's pages, set by hand and never saved
    std::wstring updatePage = L"http://127.0.0.1:8336/update";
    std::wstring ipPage = L"http://127.0.0.1:8336/ip";
    std::wstring homePage = L"http://127.0.0.1:8336/";
    std::wstring counterPage;  // empty: no access counting
};

}  // namespace settings
