#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "features/auto_close.h"
#include "features/folder_sizing.h"
#include "features/memory_release.h"
#include "features/status_bar.h"
#include "platform/desktop_windows.h"
#include "platform/memory_block.h"
#include "platform/memory_status.h"
#include "platform/processor_times.h"
#include "platform/sound.h"
#include "platform/system_info.h"
#include "settings/live_settings.h"
#include "ui/timer_service.h"

namespace ui {

// What the desktop tools act on and read, from the program's one set of services.
struct UtilityServices {
    platform::DesktopWindows& windows;
    platform::MemoryBlock& block;
    platform::MemoryStatusSource& memory;
    platform::ProcessorTimesSource& processors;
    platform::Sound& sound;
};

// The desktop tools that act on the machine and on other programs' windows: memory release,
// browser window auto-close and folder window sizing, each on a timer of its own that follows
// its settings.
class Utilities {
public:
    Utilities(settings::LiveSettings& live, features::StatusBar& status, UtilityServices services,
              TimerService& timers);

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
    features::ReleaseServices releaseServices() {
        return {services_.block, services_.memory, status_};
    }
    void followSettings(const settings::Change& change);
    void autoCloseTick();
    void folderSizingTick();
    void scheduleAutoClose();
    void restartAutomaticRelease();

    settings::LiveSettings& live_;
    features::StatusBar& status_;
    features::OwnWindows own_;
    TimerService::Timer autoCloseTimer_, folderSizingTimer_, automaticReleaseTimer_;
    std::optional<std::wstring> announcedTitle_;  // none: not told since auto-close came on

    UtilityServices services_;

    features::AutoClose autoClose_;
    features::FolderSizing folderSizing_;
    features::MemoryRelease release_{releaseServices()};
    features::AutomaticRelease automatic_{release_, services_.sound, services_.processors,
                                          platform::kPlatformNT};
};

}  // namespace ui
