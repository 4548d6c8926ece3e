#include "ui/desktop.h"

#include <shellapi.h>

#include <utility>

#include "features/proxy_switching.h"
#include "features/script_toggles.h"
#include "features/startup_fetches.h"
#include "ui/hover_rule.h"
#include "ui/popup_menu.h"

namespace ui {
namespace {

constexpr unsigned kHoverCheckMilliseconds = 250;
constexpr DWORD kRepeatedKeySelectMs = 100;

}  // namespace

Desktop::Desktop(settings::LiveSettings& live, monitor::PageTexts& pages,
                 const monitor::ValueTexts& shown, features::StatusBar& status,
                 DesktopServices services, TimerService& timers)
    : live_(live),
      pages_(pages),
      shown_(shown),
      status_(status),
      services_(services),
      hoverTimer_(timers.make([this] { hoverTick(); })),
      startupIpTimer_(timers.make([this] { startupIpTick(); })) {
    live_.notices.subscribe([this](const settings::Change& change) { followChange(change); });
}

void Desktop::followChange(const settings::Change& change) {
    ui::followChange(visibility_, change, live_);
    if (change.names(&live_.settings.hoverChoice) &&
        live_.settings.hoverChoice == settings::kHoverHides && !hoverTimer_.running())
        hoverTimer_.start(kHoverCheckMilliseconds);
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
    bool newerVersion = visibility_.newerVersion;
    bool releasing = visibility_.releasing;
    visibility_ = ui::menuVisibilityFor(live_);
    visibility_.newerVersion = newerVersion;
    visibility_.releasing = releasing;
}

void Desktop::showCloseEntry(bool shown) { visibility_.addCapturedTitle = shown; }

void Desktop::startTimers() {
    if (live_.settings.hoverChoice == settings::kHoverHides)
        hoverTimer_.start(kHoverCheckMilliseconds);
    startupIpTimer_.start(1000);
}

void Desktop::runNetworkSteps() {
    startupFetches_ =
        std::make_unique<features::StartupFetches>(services_.fetcher, servers_, live_, pages_);
    startupFetches_->onNewerVersion = [this] { visibility_.newerVersion = true; };
    startupFetches_->onIpPage = [this](const std::wstring& page) { ipPageText_ = page; };
    startupFetches_->start();
}

void Desktop::onTray(UINT event, POINT anchor) {
    if (event == WM_MOUSEMOVE) return;
    SetForegroundWindow(host_);
    if (event == WM_RBUTTONDOWN) {
        // The menu opens on the press; the shell's WM_CONTEXTMENU after the release is the
        // same click's.
        contextMenuPending_ = true;
        openMenu(MenuKind::Tray, host_);
    } else if (event == WM_CONTEXTMENU) {
        // Shift+F10 or the Menu key on the icon: the menu at the icon.
        if (!std::exchange(contextMenuPending_, false)) openMenu(MenuKind::Tray, host_, anchor);
    } else if (event == WM_LBUTTONDOWN) {
        contextMenuPending_ = false;
        toggleMain(false);
    } else if (event == NIN_KEYSELECT) {
        // Some shells tell one Enter twice.
        const DWORD at = static_cast<DWORD>(GetMessageTime());
        if (keySelectAt_ && at - *keySelectAt_ < kRepeatedKeySelectMs) return;
        keySelectAt_ = at;
        contextMenuPending_ = false;
        toggleMain(true);
    }
}

// Hidden by the user, or shown; a window shown from the keyboard takes it, so that the arrows,
// Shift+F10, Ctrl+C and Alt+F4 reach the list.
void Desktop::toggleMain(bool fromKeyboard) {
    if (!main_) return;
    if (IsWindowVisible(main_->hwnd())) {
        hideMain();
        userHidden_ = true;
        return;
    }
    showMain();
    userHidden_ = false;
    if (fromKeyboard) SetForegroundWindow(main_->hwnd());
}

void Desktop::onMainMenuKey(POINT at) { openMenu(MenuKind::Window, main_->hwnd(), at); }

void Desktop::onMainButtonDown(WPARAM buttons) {
    WPARAM pressed = buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (pressed & MK_LBUTTON) {
        // Dragged as if by a title bar, from any point of the window.
        main_->startDrag();
    }
    if (pressed == MK_RBUTTON) openMenu(MenuKind::Window, main_->hwnd());
}

void Desktop::openMenu(MenuKind kind, HWND owner, std::optional<POINT> at) {
    PreparedMenu& menu = kind == MenuKind::Tray ? trayMenu_ : windowMenu_;
    menu = ui::prepareMenu(kind, visibility_, live_, shown_, services_.registry);
    int command = ui::trackPopupMenu(owner, menu, at);
    if (command) runCommand(menu, command);
}

void Desktop::runCommand(const PreparedMenu& menu, int command) {
    using namespace ui;
    switch (command) {
        case kOpenHomePage:
            services_.shell.open(servers_.homePage);
            return;
        case kToggleProxyUse:
            features::toggleProxyUse(services_.registry, services_.dialogs, shown_);
            return;
        case kToggleActiveScripting:
            features::toggleActiveScripting(services_.registry, services_.dialogs, shown_);
            return;
        case kToggleJavaScripting:
            features::toggleJavaScripting(services_.registry, services_.dialogs, shown_);
            return;
        case kCopyIpAddress:
            features::copyIpAddress(services_.clipboard, pages_.publicAddress);
            return;
        case kReacquireIpAddress:
            acquireIpAddress();
            return;
        case kExit:
            if (onExit) onExit();
            return;
        case kOpenHistory:
            if (onOpenHistory) onOpenHistory();
            return;
        case kOpenOptions:
            if (onOpenOptions) onOpenOptions();
            return;
        case kReleaseMemory:
            if (onReleaseMemory) onReleaseMemory();
            return;
        case kAddCapturedTitle:
            if (onAddCapturedTitle) onAddCapturedTitle();
            return;
    }
    if (command >= kChooseProxy &&
        command <= kChooseProxy + static_cast<int>(menu.proxyCaptions.size())) {
        features::chooseProxy(command - kChooseProxy, menu.proxyCaption(command),
                              services_.registry, status_, proxyField);
        live_.notices.publish(settings::Topic::CurrentProxy);
    }
}

void Desktop::hoverTick() {
    if (!main_) return;
    HWND window = main_->hwnd();
    bool hoverOn = live_.settings.hoverChoice == settings::kHoverHides;
    bool nearby = false;
    if (hoverOn) {
        POINT pointer{};
        RECT rect{};
        if (!GetCursorPos(&pointer) || !GetWindowRect(window, &rect)) return;
        nearby =
            ui::pointerNear(pointer.x, pointer.y, {rect.left, rect.top, rect.right, rect.bottom});
    } else {
        // With hover hiding off there is nothing left to watch once a window it hid is shown:
        // the timer rests until the setting is on again.
        hoverTimer_.stop();
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
    startupIpTimer_.stop();
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
