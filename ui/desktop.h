#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "features/ip_tools.h"
#include "features/startup_fetches.h"
#include "features/status_bar.h"
#include "monitor/page_texts.h"
#include "platform/clipboard_writer.h"
#include "platform/dialogs.h"
#include "platform/page_fetcher.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "settings/live_settings.h"
#include "settings/server_addresses.h"
#include "ui/main_window.h"
#include "ui/popup_menu_model.h"
#include "ui/timer_service.h"

namespace ui {

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
            const monitor::ValueTexts& shown, features::StatusBar& status, DesktopServices services,
            TimerService& timers);

    void attach(HWND host, MainWindow& main, const settings::ServerAddresses& servers);
    // Start-up steps, in the order start-up calls them.
    void readProxySetting();
    void setMenuEntries();
    // The auto-close scan shows "クローズリストに追加" in both menus while it has a title.
    void showCloseEntry(bool shown);
    // The memory entry is greyed while a release runs.
    void showReleaseRunning(bool running) { visibility_.releasing = running; }
    // The start-up wait before the public address is fetched, and the pointer check while
    // hover hiding is on (it starts again when the setting is turned on).
    void startTimers();
    void runNetworkSteps();

    // An event of the tray icon (version 4) and the icon's anchor on the screen.
    void onTray(UINT event, POINT anchor);
    void onMainButtonDown(WPARAM buttons);
    // Shift+F10 or the Menu key on the main window: its menu at `at`.
    void onMainMenuKey(POINT at);

    std::function<void()> onExit;              // "終了" of either menu
    std::function<void()> onOpenOptions;       // "オプション" of either menu
    std::function<void()> onOpenHistory;       // "履歴グラフ" of either menu
    std::function<void()> onReleaseMemory;     // "…MBメモリ開放" of either menu
    std::function<void()> onAddCapturedTitle;  // "クローズリストに追加" of either menu
    std::function<void()> onStartupWaitOver;   // the clipboard link connects here when asked to
    std::wstring proxyField;                   // what the options window's proxy field shows

private:
    void followChange(const settings::Change& change);
    // At the pointer, or at `at` when the keyboard opened it.
    void openMenu(MenuKind kind, HWND owner, std::optional<POINT> at = std::nullopt);
    void toggleMain(bool fromKeyboard);
    void runCommand(const PreparedMenu& menu, int command);
    void hoverTick();
    void startupIpTick();
    void acquireIpAddress();
    void showMain();
    void hideMain();

    settings::LiveSettings& live_;
    monitor::PageTexts& pages_;
    const monitor::ValueTexts& shown_;
    features::StatusBar& status_;
    DesktopServices services_;
    settings::ServerAddresses servers_;

    HWND host_ = nullptr;
    MainWindow* main_ = nullptr;
    MenuVisibility visibility_;
    PreparedMenu windowMenu_, trayMenu_;
    features::StartupIpTimer ipTimer_;
    TimerService::Timer hoverTimer_, startupIpTimer_;
    bool userHidden_ = false;
    bool contextMenuPending_ = false;  // the tray menu opened on a right press
    std::optional<DWORD> keySelectAt_;
    std::wstring ipPageText_;
    std::unique_ptr<features::StartupFetches> startupFetches_;
};

}  // namespace ui
