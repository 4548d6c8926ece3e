#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/server_addresses.h"
#include "app/startup_fetches.h"
#include "monitor/page_texts.h"
#include "options/status_bar.h"
#include "platform/clipboard_writer.h"
#include "platform/dialogs.h"
#include "platform/page_fetcher.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "settings/live_settings.h"
#include "utilities/ip_tools.h"
#include "windows/main_window.h"
#include "windows/popup_menu_model.h"

namespace app {

constexpr UINT_PTR kHoverTimer = 2;
constexpr UINT_PTR kStartupIpTimer = 3;

struct DesktopServices {
    platform::Registry& registry;
    platform::Dialogs& dialogs;
    platform::PageFetcher& fetcher;
    platform::ClipboardWriter& clipboard;
    platform::Shell& shell;
};

// The program on the desktop: the two popup menus and their commands, the notification icon's
// clicks, hiding the main window near the pointer, and the network steps of start-up.
class Desktop {
  public:
    // The desktop shows the pages' texts through the refresh cycle and reads the items' texts.
    Desktop(settings::LiveSettings& live, monitor::PageTexts& pages,
            const monitor::ValueTexts& shown, options::StatusBar& status, DesktopServices services);

    void attach(HWND host, windows::MainWindow& main, const ServerAddresses& servers);
    // Start-up steps, in the order start-up calls them.
    void readProxySetting();
    void setMenuEntries();
    void startTimers();
    void runNetworkSteps();

    bool onTimer(UINT_PTR id);
    void onTray(UINT mouseMessage);
    void onMainButtonDown(WPARAM buttons);

    std::function<void()> onExit;             // "終了" of either menu
    std::function<void()> onStartupWaitOver;  // the clipboard link connects here when asked to
    std::wstring proxyField;                  // what the options window's proxy field shows

  private:
    void openMenu(windows::MenuKind kind, HWND owner);
    void runCommand(const windows::PreparedMenu& menu, int command);
    void hoverTick();
    void startupIpTick();
    void acquireIpAddress();
    void showMain();
    void hideMain();

    settings::LiveSettings& live_;
    monitor::PageTexts& pages_;
    const monitor::ValueTexts& shown_;
    options::StatusBar& status_;
    DesktopServices services_;
    ServerAddresses servers_;

    HWND host_ = nullptr;
    windows::MainWindow* main_ = nullptr;
    windows::MenuVisibility visibility_;
    windows::PreparedMenu windowMenu_, trayMenu_;
    utilities::StartupIpTimer ipTimer_;
    bool userHidden_ = false;
    std::wstring ipPageText_;
    std::unique_ptr<StartupFetches> startupFetches_;
};

}  // namespace app
