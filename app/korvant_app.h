#pragma once
#include <functional>
#include <memory>

#include "app/desktop.h"
#include "app/host_window.h"
#include "app/monitoring.h"
#include "app/server_addresses.h"
#include "monitor/page_texts.h"
#include "options/status_bar.h"
#include "platform/win32/clipboard_writer_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/page_fetcher_win32.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/text_files_win32.h"
#include "settings/live_settings.h"
#include "settings/save_command.h"
#include "windows/main_window.h"
#include "windows/taskbar_window.h"
#include "windows/tray_icon.h"

namespace app {

// The running program: its services, live settings and windows, from start-up to exit.
class KorvaNTApp {
  public:
    KorvaNTApp();
    bool startUp();
    int run();

  private:
    void exitFromMenu();
    [[noreturn]] void terminate();
    void storeWindowPositions();

    settings::SettingsPaths paths_;
    win32::ProfileFileWin32 ini_;
    win32::TextFilesWin32 files_;
    win32::RegistryWin32 registry_;
    win32::DialogsWin32 dialogs_;
    win32::PageFetcherWin32 fetcher_;
    win32::ClipboardWriterWin32 clipboard_;
    win32::ShellWin32 shell_;
    settings::LiveSettings live_;
    options::StatusBar status_;
    monitor::PageTexts pages_;
    Monitoring monitoring_{live_, pages_, registry_};
    Desktop desktop_{live_,
                     pages_,
                     monitoring_.valueTexts(),
                     status_,
                     {registry_, dialogs_, fetcher_, clipboard_, shell_}};
    // Closes the performance-counter queries on every exit path.
    std::function<void()> closeCounterQueries;

    HostWindow host_;
    windows::MainWindow main_;
    windows::TaskbarWindow taskbar_;
    windows::TrayIcon tray_;
};

}  // namespace app
