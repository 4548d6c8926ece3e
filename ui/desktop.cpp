#include "ui/desktop.h"

#include "features/proxy_switching.h"
#include "features/script_toggles.h"
#include "features/startup_fetches.h"
#include "ui/hover_rule.h"
#include "ui/popup_menu.h"

namespace ui {

Desktop::Desktop(settings::LiveSettings& live, monitor::PageTexts& pages,
                 const monitor::ValueTexts& shown, features::StatusBar& status,
                 DesktopServices services)
    : live_(live), pages_(pages), shown_(shown), status_(status), services_(services) {
    live_.notices.subscribe(
        [this](const settings::Change& change) { followChange(visibility_, change, live_); });
}

void Desktop::attach(HWND host, MainWindow& main, const settings::ServerAddresses& servers) {
    host_ = host;
    main_ = &main;
    servers_ = servers;
}

void Desktop::readProxySetting() {
    proxyField = features::readProxyText(services_.registry);
    live_.notices.publish(settings::Topic::CurrentProxy);
}

void Desktop::setMenuEntries() {
    bool verHp = visibility_.verHp;
    bool releasing = visibility_.releasing;
    visibility_ = ui::menuVisibilityFor(live_);
    visibility_.verHp = verHp;
    visibility_.releasing = releasing;
}

void Desktop::showCloseEntry(bool shown) { visibility_.ieClose = shown; }

void Desktop::startTimers() {
    keepHoverTimer();
    SetTimer(host_, kStartupIpTimer, 1000, nullptr);
}

void Desktop::keepHoverTimer() {
    if (live_.settings.hoverChoice != 1 || hoverTimerOn_) return;
    SetTimer(host_, kHoverTimer, 250, nullptr);
    hoverTimerOn_ = true;
}

void Desktop::runNetworkSteps() {
    startupFetches_ =
        std::make_unique<features::StartupFetches>(services_.fetcher, servers_, live_, pages_);
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
        openMenu(MenuKind::Tray, host_);
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
    if (pressed == MK_RBUTTON) openMenu(MenuKind::Window, main_->hwnd());
}

void Desktop::openMenu(MenuKind kind, HWND owner) {
    PreparedMenu& menu = kind == MenuKind::Tray ? trayMenu_ : windowMenu_;
    menu = ui::prepareMenu(kind, visibility_, live_, shown_, services_.registry);
    int command = ui::trackPopupMenu(owner, menu);
    if (command) runCommand(menu, command);
}

void Desktop::runCommand(const PreparedMenu& menu, int command) {
    using namespace ui;
    switch (command) {
        case kVerHp:
            services_.shell.open(servers_.homePage);
            return;
        case kProxy:
            features::toggleProxyUse(services_.registry, services_.dialogs, shown_);
            return;
        case kAss:
            features::toggleActiveScripting(services_.registry, services_.dialogs, shown_);
            return;
        case kJass:
            features::toggleJavaScripting(services_.registry, services_.dialogs, shown_);
            return;
        case kIpc:
            features::copyIpAddress(services_.clipboard, pages_.publicAddress);
            return;
        case kIpsai:
            acquireIpAddress();
            return;
        case kEn:
            if (onExit) onExit();
            return;
        case kOption:
            if (onOpenOptions) onOpenOptions();
            return;
        case kMemCl:
            if (onReleaseMemory) onReleaseMemory();
            return;
        case kIeClose:
            if (onAddCapturedTitle) onAddCapturedTitle();
            return;
    }
    if (command >= kPro0 && command <= kPro0 + static_cast<int>(menu.proxyCaptions.size())) {
        features::chooseProxy(command - kPro0, menu.proxyCaption(command), services_.registry,
                              status_, proxyField);
        live_.notices.publish(settings::Topic::CurrentProxy);
    }
}

void Desktop::hoverTick() {
    if (!main_) return;
    HWND window = main_->hwnd();
    bool hoverOn = live_.settings.hoverChoice == 1;
    bool nearby = false;
    if (hoverOn) {
        POINT pointer{};
        RECT rect{};
        if (!GetCursorPos(&pointer) || !GetWindowRect(window, &rect)) return;
        nearby =
            ui::pointerNear(pointer.x, pointer.y, {rect.left, rect.top, rect.right, rect.bottom});
    } else {
        // With hover hiding off there is nothing left to watch once a window it hid is shown:
        // the timer rests until the setting is on again (the refresh tick looks).
        KillTimer(host_, kHoverTimer);
        hoverTimerOn_ = false;
    }
    switch (ui::hoverAction(hoverOn, nearby, !IsWindowVisible(window), userHidden_)) {
        case ui::HoverAction::Hide:
            hideMain();
            break;
        case ui::HoverAction::Show:
            showMain();
            break;
        case ui::HoverAction::None:
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
    features::acquireIpAddress(services_.fetcher, servers_.ipPage, live_.displayRows,
                               [this](const std::wstring& address, const std::wstring& page) {
                                   pages_.publicAddress = address;
                                   ipPageText_ = page;
                               });
}

void Desktop::showMain() { ShowWindow(main_->hwnd(), SW_SHOWNOACTIVATE); }

void Desktop::hideMain() { ShowWindow(main_->hwnd(), SW_HIDE); }

}  // namespace ui
