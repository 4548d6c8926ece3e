#pragma once
#include <windows.h>

#include <functional>

#include "features/auto_close.h"
#include "features/folder_sizing.h"
#include "features/memory_release.h"
#include "features/status_bar.h"
#include "platform/system_info.h"
#include "platform/win32/desktop_windows_win32.h"
#include "platform/win32/memory_block_win32.h"
#include "platform/win32/system_sources_win32.h"
#include "settings/live_settings.h"
#include "ui/timer_service.h"

namespace ui {

// The desktop tools that act on the machine and on other programs' windows: memory release,
// browser window auto-close and folder window sizing, each on a timer of its own that follows
// its settings.
class Utilities {
public:
    Utilities(settings::LiveSettings& live, features::StatusBar& status, TimerService& timers);

    // Start-up: the auto-close scan at its interval while auto-close is on, the automatic
    // release when it is on. The folder sizing waits until its speed is chosen.
    void start(HWND host, HWND main);

    // The manual release at the chosen amount.
    void releaseByHand();
    // "クローズリストに追加".
    void addCapturedTitle();
    const features::FolderSizingFields& folderFields() const { return folderSizing_.fields(); }
    // The release in progress: its start and end grey the commands that start one.
    features::MemoryRelease& memoryRelease() { return release_; }

    // The browser title auto-close has ready for "クローズリストに追加"; empty when none.
    const std::wstring& capturedTitle() const { return autoClose_.capturedTitle(); }
    // The size folder windows get: the window size window's client size.
    std::function<features::TargetSize()> folderTargetSize;

private:
    features::ReleaseServices releaseServices() { return {block_, memory_, status_}; }
    void followSettings(const settings::Change& change);
    void autoCloseTick();
    void folderSizingTick();
    void scheduleAutoClose();
    void restartAutomaticRelease();

    settings::LiveSettings& live_;
    features::StatusBar& status_;
    features::OwnWindows own_;
    TimerService::Timer autoCloseTimer_, folderSizingTimer_, automaticReleaseTimer_;
    std::wstring announcedTitle_;

    win32::DesktopWindowsWin32 windows_;
    win32::MemoryBlockWin32 block_;
    win32::MemoryStatusWin32 memory_;
    win32::ProcessorTimesWin32 processors_;
    win32::SoundWin32 sound_;

    features::AutoClose autoClose_;
    features::FolderSizing folderSizing_;
    features::MemoryRelease release_{releaseServices()};
    features::AutomaticRelease automatic_{release_, sound_, processors_, platform::kPlatformNT};
};

}  // namespace ui
