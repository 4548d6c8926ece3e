#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace settings {

constexpr int kSettingsVersion = 336;
inline const wchar_t* const kVersionText = L"Ver3.36";

// Every key of KorvaNT.ini, named as in the file; the initialisers are the defaults.
// Window coordinates are twips, kept in single precision as the windows report them.
struct Settings {
    // [Options]
    int IPMC = 0;
    int AInterface = 1;
    int AutoClose = 0;
    int AutoSET = 1;
    int IPSET = 0;
    int ProxyM = 0;
    int TaskOnOff = 0;
    int TaskCPU = 0;
    int TaskMEM = 0;
    int TaskIn = 0;
    int TaskOut = 0;
    int MemMenu = 0;
    int AutoHddCheck = 1;
    std::wstring RemoteHostIP = L"192.168.1.3";
    std::wstring ConnectedIP = L"192.168.1.3";
    std::wstring ConnectedIP2 = L"192.168.1.4";
    std::wstring ConnectedIP3 = L"192.168.1.5";
    std::wstring RemotePort = L"5580";
    int ClipConnection = 0;
    int AutoClipConnection = 0;
    int AutoResumeClipConnection = 0;
    int ByteBit = 0;
    int SetFormTop = 1;
    int SetGraph = 1;
    int MouseOver = 0;
    int NetworkAdapter = 0;
    int GbMb = 0;
    int DrawType = 1;
    int NewVersionCheck = 1;
    // [ColorsOptions] BackColor00..BackColor07
    std::array<std::int32_t, 8> BackColor = {15771376, 8009094,  8454016,  16777088,
                                             16777215, 12615935, 16711680, 12615935};
    // [MemOptions]
    int MemAuto = 0;
    int Slider1 = 10;  // automatic release size, MB
    int Slider2 = 10;  // free memory threshold, MB
    int Slider3 = 3;   // minutes between automatic releases
    int Slider4 = 10;  // processor load threshold, percent
    int Slider5 = 20;  // seconds of low load
    int Slider6 = 3;   // seconds to wait before the first public-IP fetch
    int MemManualSize = 10;
    int MemDisplay = 0;
    // [WindowResizeOptions]
    float Width = 700;
    float Height = 500;
    // [Options], continued
    int InSlider = 1;
    int OutSlider = 1;
    int MainWindowRefreshTime = 5;
    int AutoCloseRefreshTime = 5;
    int HddRefreshTime = 10;
    float X_WindowPosition = 0;
    float Y_WindowPosition = 0;
    float WindowHeight = 2258;
    float WindowWidth = 2496;
    float WindowScaleHeight = 142;
    float X_OptionWindowPosition = 2475;
    float Y_OptionWindowPosition = 1;
    std::wstring MainListCheckMark = L"11111111110000110000110";
    std::wstring MainList = L"113100101102103110111112104105106107108109114115116117118119121122123";
    // [ColorsOptions]
    std::wstring MainListColor1 =
        L"-2147483633 00016777215 00016777215 00016777215 00016777215 -2147483633 -2147483633 "
        L"-2147483633 -2147483633 -2147483633 -2147483633 -2147483633 -2147483633 -2147483633 "
        L"-2147483633 -2147483633 00016777215 00016777215 00016777215 00016777215 00016777215 "
        L"00016777215 00016777215";
    std::wstring MainListColor2 =
        L"00000000000 00000000255 00000065535 00000065280 00016777088 00000000000 00000000000 "
        L"00000000000 00000000000 00000000000 00000000000 00000000000 00000000000 00000000000 "
        L"00000000000 00000000000 00008454143 00008454016 00008454016 00008454016 00008454016 "
        L"00008454016 00008454016";
    std::wstring DrivesColor1 =
        L"00000065535 00000065280 00016776960 00016744448 00012615935 00016711935 00008421631";
    std::wstring DrivesColor2 =
        L"00016777215 00016777215 00016777215 00016777215 00016777215 00016777215 00016777215";
    // [Options], continued
    std::wstring DrivesCheckMark = L"100000000000";
    int HddIndicationType1 = 3;
    int HddIndicationType2 = 1;
};

}  // namespace settings
