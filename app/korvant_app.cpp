#include "app/korvant_app.h"

#include "base/texts.h"
#include "base/twips.h"
#include "platform/win32/ansi.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/system_library.h"
#include "platform/win32/system_sources_win32.h"
#include "render/gradient.h"
#include "settings/copy_lock_name.h"
#include "settings/language.h"
#include "settings/load_settings.h"
#include "ui/popup_menu.h"

namespace app {
namespace {

// A stored position or size as pixels of the monitor it lies on (twips are 1/1440 inch).
int pixels(float twips, int dpi) { return base::pixelsFromTwips(twips, dpi); }

// The tray's small icon at the system's DPI: drawn from the icon's own images, not stretched.
HICON trayIconImage() {
    int side = win32::systemMetricForDpi(SM_CXSMICON, win32::systemDpi());
    auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"IDI_KORVANT", IMAGE_ICON,
                                              side, side, LR_DEFAULTCOLOR));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

// Where a window's outer rectangle is kept, in twips; a field left null is not kept.
struct StoredRect {
    float* left = nullptr;
    float* top = nullptr;
    float* width = nullptr;
    float* height = nullptr;
};

// Each value at the window's DPI; one whose pixels did not change keeps its stored twips.
void storeRect(HWND window, const StoredRect& into) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    const int dpi = win32::dpiOfWindow(window);
    auto store = [dpi](float* field, int pixels) {
        if (field) *field = base::twipsFor(*field, pixels, dpi);
    };
    store(into.left, r.left);
    store(into.top, r.top);
    store(into.width, r.right - r.left);
    store(into.height, r.bottom - r.top);
}

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
    // A resident program usually ends with the session: keep what the menu exit keeps.
    host_.onSessionEnd = [this] { exitFromMenu(); };
    closeCounterQueries = [this] { system_.drives.closeCounters(); };

    live_ = settings::loadLiveSettings(ini_, files_, paths_, secrets_);
    const settings::Settings& s = live_.settings;
    base::setLanguage(settings::languageOf(s.language));

    HICON trayIcon = trayIconImage();
    tray_.add(host_.hwnd(), ui::kTrayMessage, trayIcon, base::text(base::Text::ProductName));
    alerts_.setPlainIcon(trayIcon, base::text(base::Text::ProductName));
    desktop_.readProxySetting();

    taskbar_.create();
    taskbar_.setVisible(s.taskbarButtonOn == 1);

    const int mainDpi = win32::dpiForStoredPosition(s.mainLeft, s.mainTop);
    if (!main_.create(host_.hwnd(), pixels(s.mainLeft, mainDpi), pixels(s.mainTop, mainDpi),
                      ui::clientSizeFromStored(s.mainWidth, s.mainHeight, mainDpi)))
        return false;
    // The list's images at the window's DPI before the options window sizes its previews.
    monitoring_.rescale(main_.dpi());
    main_.setResizable(s.drawMode == settings::kScalableWindow);
    live_.notices.subscribe([this](const settings::Change& change) {
        if (change.names(&live_.settings.drawMode))
            main_.setResizable(live_.settings.drawMode == settings::kScalableWindow);
    });
    // Alt+F4 on the list, or a close from outside: what the person did since start-up (a moved
    // window, the close list's counts) is kept as the menu's exit keeps it.
    main_.onClose = [this] { exitFromMenu(); };
    main_.setReading(listReading_,
                     [this](const monitor::ShownRow& row) { return monitoring_.rowRect(row); });
    main_.onMenuKey = [this](POINT at) { desktop_.onMainMenuKey(at); };
    main_.onCopy = [this] { clipboard_.writeText(monitor::rowsAsText(monitoring_.shownRows())); };
    // A system colour reference (top bit set) is resolved, not passed on as a colour.
    main_.setBackground(render::resolveColour(s.colours[settings::kBackgroundColour],
                                              [](int index) { return GetSysColor(index); }));
    if (s.topmostChoice == settings::kAlwaysOnTop) ui::setTopmost(main_.hwnd(), 1);
    shell_.setOwner(host_.hwnd());
    // The menus work before the adapter enumeration, whose messages wait for the user.
    servers_ = settings::readServerAddresses(ini_);
    desktop_.attach(host_.hwnd(), main_, servers_);
    desktop_.onExit = [this] { exitFromMenu(); };
    desktop_.setMenuEntries();
    status_.onChange = [this](const std::wstring& text) { options_.showStatus(text); };
    if (!servers_.cutKeys.empty()) {
        std::wstring keys;
        for (const std::wstring& key : servers_.cutKeys) keys += (keys.empty() ? L"" : L", ") + key;
        status_.show(base::format(base::Text::ServerAddressCut, {keys}));
    }
    desktop_.onOpenOptions = [this] { openOptions(); };
    const int historyDpi = win32::dpiForStoredPosition(s.historyLeft, s.historyTop);
    historyWindow_.create(pixels(s.historyLeft, historyDpi), pixels(s.historyTop, historyDpi),
                          pixels(s.historyWidth, historyDpi), pixels(s.historyHeight, historyDpi));
    desktop_.onOpenHistory = [this] { historyWindow_.open(); };
    historyWindow_.marks = [this] { return alerts_.marks(); };
    desktop_.onStartupWaitOver = [this] { clipboardLink_.connect(); };
    desktop_.onReleaseMemory = [this] { utilities_.releaseByHand(); };
    utilities_.memoryRelease().onRunningChanged = [this](bool running) {
        desktop_.showReleaseRunning(running);
        live_.notices.publish(settings::Topic::MemoryRelease);
    };
    desktop_.onAddCapturedTitle = [this] { utilities_.addCapturedTitle(); };
    live_.notices.subscribe([this](const settings::Change& change) {
        if (change.topic == settings::Topic::CapturedTitle)
            desktop_.showCloseEntry(!utilities_.capturedTitle().empty());
    });
    utilities_.folderTargetSize = [this] {
        RECT client{};
        GetClientRect(sizeWindow().hwnd(), &client);
        return features::TargetSize{client.right, client.bottom};
    };
    options_.onSave = [this] { saveCommand(); };
    live_.notices.subscribe([this](const settings::Change& change) {
        if (change.names(&live_.settings.language)) showLanguage();
    });
    host_.onTray = [this](UINT event, POINT anchor) {
        if (event == WM_MOUSEMOVE) alerts_.pointerOverIcon();
        desktop_.onTray(event, anchor);
    };
    host_.onShellRestart = [this] { tray_.restore(); };
    host_.onComeForward = [this] {
        ShowWindow(main_.hwnd(), SW_SHOW);
        SetForegroundWindow(main_.hwnd());
    };
    monitoring_.prepare(dialogs_);
    // The options window was made before the adapters and drives were read.
    live_.notices.changed(&live_.adapterChoices);
    live_.notices.publish(settings::Topic::DriveRows);
    monitoring_.attach(main_, taskbar_);
    main_.onPaint = [this](HDC dc, const RECT& client) { monitoring_.paint(dc, client); };
    host_.onTimer = [this](UINT_PTR id) { timers_.dispatch(id); };
    main_.onButtonDown = [this](WPARAM buttons) { desktop_.onMainButtonDown(buttons); };
    // A fixed-size window shows at the size its first tick gives it.
    if (s.drawMode != settings::kScalableWindow)
        main_.setClientSize({monitoring_.listWidth(), monitoring_.upcomingListHeight()});
    // A place stored at another scale or on a monitor gone must not hide the window; the stored
    // twips stay as they are until the user moves it or saves.
    win32::fitWithinWorkArea(main_.hwnd(), false);
    ShowWindow(main_.hwnd(), SW_SHOWNOACTIVATE);
    timers_.attach(host_.hwnd());
    history_.start();
    monitoring_.feedHistory([this](const monitor::Readings& r) {
        history_.record(r);
        alerts_.take(r);
        export_.take(r);
    });
    monitoring_.readSourcesWith(
        [this](std::vector<monitor::SourceReading>& into) { sources_.read(into); });
    sources_.start();
    monitoring_.start();
    desktop_.startTimers();
    utilities_.start(host_.hwnd(), main_.hwnd());
    linkUpkeep_.start();
    export_.start();
    desktop_.runNetworkSteps();
    return true;
}

int KorvaNTApp::run() {
    // The messages, and beside them the registry's change event: waited on here, it needs no
    // thread of its own.
    HANDLE registryChanged = registry_.changeEvent();
    const DWORD events = registryChanged ? 1 : 0;
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            // The dialogs' keyboard: tab order, buttons, Enter and the arrow keys.
            if (options_.hwnd() && IsDialogMessageW(options_.hwnd(), &msg)) continue;
            if (sizeWindow_.hwnd() && IsDialogMessageW(sizeWindow_.hwnd(), &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(events, &registryChanged, INFINITE,
                                                       QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (events && woke == WAIT_OBJECT_0) registry_.changeSeen();
    }
}

// A window that has not moved keeps its stored twips: a position saved again stays exact.
void KorvaNTApp::storeWindowPositions() {
    settings::Settings& s = live_.settings;
    if (auto height = monitoring_.sizedScaleHeight())
        s.mainScaleHeight = static_cast<float>(*height);
    // The main window's size is its client area's, by its own rule.
    storeRect(main_.hwnd(), {.left = &s.mainLeft, .top = &s.mainTop});
    if (IsWindow(main_.hwnd())) {
        const int dpi = win32::dpiOfWindow(main_.hwnd());
        ui::ClientSize client = main_.clientSize();
        s.mainWidth = ui::storedWidthFor(s.mainWidth, client.width, dpi);
        s.mainHeight = ui::storedHeightFor(s.mainHeight, client.height, dpi);
    }
    storeRect(sizeWindow_.hwnd(), {.width = &s.sizeWindowWidth, .height = &s.sizeWindowHeight});
    storeRect(historyWindow_.hwnd(),
              {&s.historyLeft, &s.historyTop, &s.historyWidth, &s.historyHeight});
    storeRect(options_.hwnd(), {.left = &s.optionsLeft, .top = &s.optionsTop});
}

void KorvaNTApp::saveCommand() {
    storeWindowPositions();
    status_.show(settings::saveSettings(live_, ini_, files_, paths_, secrets_));
}

// The options window is made the first time it is opened, and then kept hidden between openings
// as before: a session that never opens it carries neither its dozen pages nor the common
// controls they are made of. Until then its status bar has nothing to carry: opening empties it.
void KorvaNTApp::openOptions() {
    if (!options_.hwnd()) {
        const settings::Settings& s = live_.settings;
        const int dpi = win32::dpiForStoredPosition(s.optionsLeft, s.optionsTop);
        if (!win32::commonControlsReady() ||
            !options_.create(host_.hwnd(), pixels(s.optionsLeft, dpi), pixels(s.optionsTop, dpi)))
            return;
        program_.attach(options_.hwnd());
    }
    options_.open();
}

// The size window is made when it is first opened or its size is first needed (folder sizing):
// its text box alone would bring the common controls in at start-up.
ui::SizeWindow& KorvaNTApp::sizeWindow() {
    if (!sizeWindow_.hwnd()) {
        const settings::Settings& s = live_.settings;
        const int dpi = win32::systemDpi();
        sizeWindow_.create(host_.hwnd(), pixels(s.sizeWindowWidth, dpi),
                           pixels(s.sizeWindowHeight, dpi));
    }
    return sizeWindow_;
}

void KorvaNTApp::placeMainWindow(ui::options::Placement placement) {
    platform::WorkArea work = system_.system.workArea();
    RECT r{};
    GetWindowRect(main_.hwnd(), &r);
    ui::options::PixelPoint at = ui::options::placementFor(placement, work.width, work.height,
                                                           r.right - r.left, r.bottom - r.top);
    SetWindowPos(main_.hwnd(), nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    status_.show(ui::options::placementMessage(placement));
}

void KorvaNTApp::resetMainWindowSize() {
    const int dpi = main_.dpi();
    ui::options::MainWindowSizeTwips size =
        ui::options::resetMainWindowSize(monitoring_.listHeight(), dpi);
    settings::Settings& s = live_.settings;
    s.mainWidth = size.width;
    s.mainHeight = size.height;
    s.mainScaleHeight = size.scaleHeight;
    main_.setClientSize(ui::clientSizeFromStored(size.width, size.height, dpi));
    status_.show(base::text(base::Text::SizeReset));
}

// Every window that is not an options page shows its texts again; the menus are made as they
// open, and the list and caption take the new texts at the next tick.
void KorvaNTApp::showLanguage() {
    alerts_.retext(base::text(base::Text::ProductName));
    if (sizeWindow_.hwnd()) sizeWindow_.retext();
    historyWindow_.retext();
}

void KorvaNTApp::exitFromMenu() {
    if (live_.settings.saveAtExit == 1) {
        saveCommand();
    } else {
        settings::saveCloseList(live_, files_, paths_);
    }
    terminate();
}

void KorvaNTApp::terminate() {
    if (closeCounterQueries) closeCounterQueries();
    // Exit never waits on a client: the worker is told to stop and closes every connection.
    export_.stop();
    history_.writeAtExit();
    tray_.remove();
    ShowWindow(main_.hwnd(), SW_HIDE);
    ShowWindow(taskbar_.hwnd(), SW_HIDE);
    PostQuitMessage(0);
}

}  // namespace app
