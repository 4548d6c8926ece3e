#pragma once
#include <functional>
#include <memory>

#include "app/system_services.h"
#include "features/clipboard_link.h"
#include "features/start_with_windows.h"
#include "features/status_bar.h"
#include "monitor/page_texts.h"
#include "monitor/status_items.h"
#include "platform/win32/ansi.h"
#include "platform/win32/clipboard_writer_win32.h"
#include "platform/win32/copy_lock_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/page_fetcher_win32.h"
#include "platform/win32/profile_file_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/request_server_win32.h"
#include "platform/win32/secret_box_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_sources_win32.h"
#include "platform/win32/tcp_socket_win32.h"
#include "platform/win32/text_files_win32.h"
#include "settings/live_settings.h"
#include "settings/save_command.h"
#include "settings/server_addresses.h"
#include "ui/desktop.h"
#include "ui/history_window.h"
#include "ui/host_window.h"
#include "ui/live_program.h"
#include "ui/main_window.h"
#include "ui/options/colour_dialog.h"
#include "ui/options/options_window.h"
#include "ui/running/alert_upkeep.h"
#include "ui/running/export_upkeep.h"
#include "ui/running/history_upkeep.h"
#include "ui/running/link_upkeep.h"
#include "ui/running/monitoring.h"
#include "ui/running/source_upkeep.h"
#include "ui/size_window.h"
#include "ui/taskbar_window.h"
#include "ui/timer_service.h"
#include "ui/tray_icon.h"
#include "ui/utilities.h"

namespace app {

// The running program: its services, live settings and windows, from start-up to exit.
class KorvaNTApp {
public:
    KorvaNTApp();
    // When a copy started from this folder already runs, asks it to show its main window and
    // returns true: this copy must end without touching the settings.
    bool handOverToRunningCopy();
    bool startUp();
    int run();

private:
    void exitFromMenu();
    void showLanguage();
    void saveCommand();
    void openOptions();
    ui::SizeWindow& sizeWindow();
    void placeMainWindow(ui::options::Placement placement);
    void resetMainWindowSize();
    // Every exit path: the counters closed, the icon gone, the windows hidden at once; the
    // message loop then ends and the program's owners release the rest.
    void terminate();
    void storeWindowPositions();

    settings::SettingsPaths paths_;
    win32::CopyLock copyLock_;
    win32::ProfileFileWin32 ini_;
    win32::TextFilesWin32 files_;
    win32::RegistryWin32 registry_;
    win32::DialogsWin32 dialogs_;
    win32::PageFetcherWin32 fetcher_{[this] { return monitor::readBrowserProxy(registry_); }};
    win32::ClipboardWriterWin32 clipboard_;
    win32::ShellWin32 shell_;
    // The sources' tokens, protected for the Windows user.
    win32::SecretBoxWin32 secrets_;
    settings::LiveSettings live_;
    features::StatusBar status_;
    monitor::PageTexts pages_;
    // Every timer of the main side: the running parts below ask it for theirs.
    ui::TimerService timers_;
    SystemServices system_;
    ui::Monitoring monitoring_{live_,
                               pages_,
                               {system_.clock, system_.processors, system_.memory, system_.network,
                                system_.drives, system_.power, system_.locale, system_.clipboard,
                                registry_, system_.system.platformFamily()},
                               system_.painter,
                               system_.presenter,
                               timers_};
    ui::HistoryUpkeep history_{files_, system_.locale,
                               win32::exeFolder() + L"\\" + features::kTrafficFileName, timers_};
    ui::HistoryWindow historyWindow_{history_.history(), live_.settings, timers_, clipboard_};
    ui::Desktop desktop_{live_,
                         pages_,
                         monitoring_.valueTexts(),
                         status_,
                         {registry_, dialogs_, fetcher_, clipboard_, shell_},
                         timers_};
    // Closes the performance-counter queries on every exit path.
    std::function<void()> closeCounterQueries;

    ui::HostWindow host_;
    ui::MainWindow main_;
    ui::ListReading listReading_{[this] { return monitoring_.shownRows(); }};
    ui::TaskbarWindow taskbar_;
    ui::TrayIcon tray_;
    // Who uses the machine: read only for the tray's tooltip, a counting alert or a scrape.
    features::BusiestProcesses busiest_{system_.processes};
    ui::AlertUpkeep alerts_{live_, history_.history(), tray_, busiest_};
    ui::Utilities utilities_{
        live_,
        status_,
        {system_.windows, system_.block, system_.memory, system_.processors, system_.sound},
        timers_};
    ui::SizeWindow sizeWindow_;
    settings::ServerAddresses servers_;
    // The clipboard link: its own socket and clipboard reader, on timers of its own.
    win32::TcpSocketWin32 linkSocket_;
    win32::ClipboardWin32 linkClipboard_;
    win32::AnsiCodecWin32 ansi_;
    features::ClipboardLink clipboardLink_{
        live_.settings, {linkSocket_, linkClipboard_, clipboard_, ansi_, system_.clock}};
    ui::LinkUpkeep linkUpkeep_{clipboardLink_, live_, timers_};
    // The readings served over HTTP: a worker of its own while on, nothing while off.
    win32::RequestServerWin32 exportServer_;
    ui::ExportUpkeep export_{live_, history_.history(), exportServer_, status_, busiest_, timers_};
    // The readings taken from other programs: a timer and a request each only while listed.
    ui::SourceUpkeep sources_{live_, fetcher_, system_.clock, system_.locale, status_, timers_};
    ui::LiveProgram program_{monitoring_, main_, taskbar_};
    ui::options::OptionsWindow options_{{
        .live = live_,
        .program = program_,
        .status = status_,
        .chooseColour = ui::options::chooseColour,
        .showSizeWindow =
            [this] {
                sizeWindow().show(options_.hwnd(),
                                  live_.settings.topmostChoice == settings::kAlwaysOnTop);
            },
        .placeMainWindow = [this](ui::options::Placement p) { placeMainWindow(p); },
        .resetMainWindowSize = [this] { resetMainWindowSize(); },
        .openHomePage = [this] { shell_.open(servers_.homePage); },
        .measuredInterval = [this] { return monitoring_.readings().intervalLabel; },
        .clipboardText = [this] { return monitoring_.readings().clipboardText; },
        .currentProxy = [this] { return desktop_.proxyField; },
        .releaseMemory = [this] { utilities_.releaseByHand(); },
        .folderFields = [this] { return utilities_.folderFields(); },
        .clipboardLink = &clipboardLink_,
        .platformFamily = system_.system.platformFamily(),
        .systemVersion = system_.system.version(),
        .releaseRunning = [this] { return utilities_.memoryRelease().running(); },
        .startsWithWindows =
            [this] { return features::startsWithWindows(registry_, win32::exePath()); },
        .setStartWithWindows =
            [this](bool on) {
                return features::setStartWithWindows(registry_, win32::exePath(), on);
            },
        .showTestAlert = [this] { alerts_.showTest(); },
        .exportState = [this] { return export_.stateText(); },
        .sources = &sources_.poller(),
        .fetcher = &fetcher_,
    }};
};

}  // namespace app
