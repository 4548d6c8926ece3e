#include "app/korvant_app.h"

#include "platform/win32/ansi.h"
#include "render/gradient.h"
#include "settings/copy_lock_name.h"
#include "settings/load_settings.h"
#include "ui/popup_menu.h"

namespace app {
namespace {

constexpr int kTwipsPerPixel = 15;

int pixels(float twips) { return static_cast<int>(twips) / kTwipsPerPixel; }

}  // namespace

KorvaNTApp::KorvaNTApp()
    : paths_(settings::SettingsPaths::inFolder(win32::exeFolder())),
      copyLock_(settings::copyLockName(paths_.ini)),
      ini_(paths_.ini) {}

bool KorvaNTApp::handOverToRunningCopy() {
    if (copyLock_.first()) return false;
    if (HWND running = copyLock_.runningCopyWindow(5000)) {
        DWORD process = 0;
        GetWindowThreadProcessId(running, &process);
        AllowSetForegroundWindow(process);  // the user started us, so we may pass the focus on
        PostMessageW(running, ui::comeForwardMessage(), 0, 0);
    }
    return true;
}

bool KorvaNTApp::startUp() {
    if (!host_.create()) return false;
    copyLock_.publish(host_.hwnd());
    host_.onClose = [this] { terminate(); };
    closeCounterQueries = [this] { monitoring_.releaseCounters(); };

    HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"IDI_KORVANT");
    tray_.add(host_.hwnd(), ui::kTrayMessage, icon ? icon : LoadIconW(nullptr, IDI_APPLICATION),
              L"コルバ君NT");

    live_ = settings::loadLiveSettings(ini_, files_, paths_);
    const settings::Settings& s = live_.settings;
    desktop_.readProxySetting();

    taskbar_.create();
    taskbar_.setVisible(s.taskbarButtonOn == 1);

    if (!main_.create(host_.hwnd(), pixels(s.mainLeft), pixels(s.mainTop), pixels(s.mainWidth),
                      pixels(s.mainHeight)))
        return false;
    main_.onClose = [this] { terminate(); };
    // A system colour reference (top bit set) is resolved, not passed on as a colour.
    main_.setBackground(render::resolveColour(s.colours[settings::kBackgroundColour],
                                              [](int index) { return GetSysColor(index); }));
    if (s.topmostChoice == 0) ui::setTopmost(main_.hwnd(), 1);
    shell_.setOwner(host_.hwnd());
    // The menus work before the adapter enumeration, whose messages wait for the user.
    desktop_.attach(host_.hwnd(), main_, settings::readServerAddresses(ini_));
    desktop_.onExit = [this] { exitFromMenu(); };
    desktop_.setMenuEntries();
    host_.onTray = [this](UINT mouseMessage) { desktop_.onTray(mouseMessage); };
    host_.onShellRestart = [this] { tray_.restore(); };
    host_.onComeForward = [this] {
        ShowWindow(main_.hwnd(), SW_SHOW);
        SetForegroundWindow(main_.hwnd());
    };
    monitoring_.prepare(dialogs_);
    monitoring_.attach(main_, taskbar_);
    main_.onPaint = [this](HDC dc, const RECT& client) { monitoring_.paint(dc, client); };
    host_.onTimer = [this](UINT_PTR id) {
        if (!monitoring_.onTimer(id)) desktop_.onTimer(id);
    };
    main_.onButtonDown = [this](WPARAM buttons) { desktop_.onMainButtonDown(buttons); };
    ShowWindow(main_.hwnd(), SW_SHOWNOACTIVATE);
    monitoring_.startTimers(host_.hwnd());
    desktop_.startTimers();
    desktop_.runNetworkSteps();
    return true;
}

int KorvaNTApp::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void KorvaNTApp::storeWindowPositions() {
    RECT r{};
    if (!GetWindowRect(main_.hwnd(), &r)) return;
    settings::Settings& s = live_.settings;
    s.mainLeft = static_cast<float>(r.left * kTwipsPerPixel);
    s.mainTop = static_cast<float>(r.top * kTwipsPerPixel);
    s.mainWidth = static_cast<float>((r.right - r.left) * kTwipsPerPixel);
    s.mainHeight = static_cast<float>((r.bottom - r.top) * kTwipsPerPixel);
}

void KorvaNTApp::exitFromMenu() {
    if (live_.settings.saveAtExit == 1) {
        storeWindowPositions();
        status_.text = settings::saveSettings(live_, ini_, files_, paths_);
    } else {
        settings::saveCloseList(live_, files_, paths_);
    }
    terminate();
}

void KorvaNTApp::terminate() {
    if (closeCounterQueries) closeCounterQueries();
    tray_.remove();
    ShowWindow(main_.hwnd(), SW_HIDE);
    ShowWindow(taskbar_.hwnd(), SW_HIDE);
    ExitProcess(0);
}

}  // namespace app
