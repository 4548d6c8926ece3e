#pragma once
#include <memory>

#include "app/host_window.h"
#include "app/monitoring.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/registry_win32.h"
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
    settings::LiveSettings live_;
    std::wstring statusText_;
    monitor::MonitorState monitorState_;
    Monitoring monitoring_{live_, monitorState_, registry_};

    HostWindow host_;
    windows::MainWindow main_;
    windows::TaskbarWindow taskbar_;
    windows::TrayIcon tray_;
};

}  // namespace app
