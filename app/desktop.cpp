#include "app/desktop.h"

#include "app/startup_fetches.h"
#include "utilities/proxy_switching.h"
#include "utilities/script_toggles.h"
#include "windows/hover_rule.h"
#include "windows/popup_menu.h"

namespace app {

Desktop::Desktop(settings::LiveSettings& live, monitor::PageTexts& pages,
                 const monitor::ValueTexts& shown, options::StatusBar& status,
                 DesktopServices services)
    : live_(live), pages_(pages), shown_(shown), status_(status), services_(services) {}

void Desktop::attach(HWND host, windows::MainWindow& main, const ServerAddresses& servers) {
    host_ = host;
    main_ = &main;
    servers_ = servers;
}

void Desktop::readProxySetting() { proxyField = utilities::readProxyText(services_.registry); }

void Desktop::setMenuEntries() {
    bool verHp = visibility_.verHp;
    visibility_ = windows::menuVisibilityFor(live_);
    visibility_.verHp = verHp;
}

void Desktop::startTimers() {
    SetTimer(host_, kHoverTimer, 250, nullptr);
    SetTimer(host_, kStartupIpTimer, 1000, nullptr);
}

void Desktop::runNetworkSteps() {
    startupFetches_ =
        std::make_unique<StartupFetches>(services_.fetcher, servers_, live_, pages_);
    startupFetches_->onNewerVersion = [this] { visibility_.verHp = true; };
    startupFetches_->onIpPage = [this](const std::wstring& page) { ipPageText_ = page; };
    startupFetches_->start();
}

bool Desktop::onTimer(UINT_PTR id) {
    if (id == kHoverTimer) {
        hoverTick();
        return true;
    }
    if (id == kStartupIpTimer) {
        startupIpTick();
        return true;
    }
    return false;
}

void Desktop::onTray(UINT mouseMessage) {
    SetForegroundWindow(host_);
    if (mouseMessage == WM_RBUTTONDOWN) {
        openMenu(windows::MenuKind::Tray, host_);
    } else if (mouseMessage == WM_LBUTTONDOWN && main_) {
        if (IsWindowVisible(main_->hwnd())) {
            hideMain();
            userHidden_ = true;
        } else {
            showMain();
            userHidden_ = false;
        }
    }
}

void Desktop::onMainButtonDown(WPARAM buttons) {
    WPARAM pressed = buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (pressed & MK_LBUTTON) {
        // Dragged as if by a title bar, from any point of the window.
        ReleaseCapture();
        SendMessageW(main_->hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    if (pressed == MK_RBUTTON) openMenu(windows::MenuKind::Window, main_->hwnd());
}

void Desktop::openMenu(windows::MenuKind kind, HWND owner) {
    windows::PreparedMenu& menu = kind == windows::MenuKind::Tray ? trayMenu_ : windowMenu_;
    menu = windows::prepareMenu(kind, visibility_, live_, shown_, services_.registry);
    int command = windows::trackPopupMenu(owner, menu);
    if (command) runCommand(menu, command);
}

void Desktop::runCommand(const windows::PreparedMenu& menu, int command) {
    using namespace windows;
    switch (command) {
        case kVerHp:
            services_.shell.open(servers_.homePage);
            return;
        case kProxy:
            utilities::toggleProxyUse(services_.registry, services_.dialogs, shown_);
            return;
        case kAss:
            utilities::toggleActiveScripting(services_.registry, services_.dialogs, shown_);
            return;
        case kJass:
            utilities::toggleJavaScripting(services_.registry, services_.dialogs, shown_);
            return;
        case kIpc:
            utilities::copyIpAddress(services_.clipboard, pages_.publicAddress);
            return;
        case kIpsai:
            acquireIpAddress();
            return;
        case kEn:
            if (onExit) onExit();
            return;
    }
    if (command >= kPro0 && command <= kPro0 + static_cast<int>(menu.proxyCaptions.size()))
        utilities::chooseProxy(command - kPro0, menu.proxyCaption(command), services_.registry,
                               status_, proxyField);
}

void Desktop::hoverTick() {
    if (!main_) return;
    HWND window = main_->hwnd();
    POINT pointer{};
    RECT rect{};
    if (!GetCursorPos(&pointer) || !GetWindowRect(window, &rect)) return;
    bool nearby =
        windows::pointerNear(pointer.x, pointer.y, {rect.left, rect.top, rect.right, rect.bottom});
    switch (windows::hoverAction(live_.settings.hoverChoice == 1, nearby, !IsWindowVisible(window),
                                 userHidden_)) {
        case windows::HoverAction::Hide:
            hideMain();
            break;
        case windows::HoverAction::Show:
            showMain();
            break;
        case windows::HoverAction::None:
            break;
    }
}

void Desktop::startupIpTick() {
    if (!ipTimer_.tick(live_.settings.startupIpWaitSeconds)) return;
    acquireIpAddress();
    KillTimer(host_, kStartupIpTimer);
    if (live_.settings.linkConnectAtStart == 1 && onStartupWaitOver) onStartupWaitOver();
}

void Desktop::acquireIpAddress() {
    utilities::acquireIpAddress(services_.fetcher, servers_.ipPage, live_.displayRows,
                                [this](const std::wstring& address, const std::wstring& page) {
                                    pages_.publicAddress = address;
                                    ipPageText_ = page;
                                });
}

void Desktop::showMain() { ShowWindow(main_->hwnd(), SW_SHOWNOACTIVATE); }

void Desktop::hideMain() { ShowWindow(main_->hwnd(), SW_HIDE); }

}  // namespace app
