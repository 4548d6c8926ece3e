#include "ui/utilities.h"

namespace ui {

Utilities::Utilities(settings::LiveSettings& live, features::StatusBar& status,
                     UtilityServices services, TimerService& timers)
    : live_(live),
      status_(status),
      autoCloseTimer_(timers.make([this] { autoCloseTick(); })),
      folderSizingTimer_(timers.make([this] { folderSizingTick(); })),
      automaticReleaseTimer_(timers.make([this] { automatic_.tick(live_.settings); })),
      services_(services) {}

void Utilities::start(HWND host, HWND main) {
    own_ = {reinterpret_cast<platform::WindowId>(host), reinterpret_cast<platform::WindowId>(main)};
    scheduleAutoClose();
    restartAutomaticRelease();
    live_.notices.subscribe([this](const settings::Change& change) { followSettings(change); });
}

void Utilities::followSettings(const settings::Change& change) {
    const settings::Settings& s = live_.settings;
    if (change.names(&s.autoCloseOn) || change.names(&s.autoCloseIntervalTenths)) {
        // Turned on, the menus show the entry until the first tick says what it captured.
        if (change.names(&s.autoCloseOn)) announcedTitle_.reset();
        scheduleAutoClose();
    } else if (change.names(&live_.folderWatchTenths)) {
        folderSizingTimer_.start(settings::millisecondsOfTenths(live_.folderWatchTenths));
    } else if (change.names(&s.autoReleaseOn) || change.names(&s.autoReleaseMegabytes) ||
               change.names(&s.freeMemoryThresholdMegabytes) ||
               change.names(&s.releaseIntervalMinutes) || change.names(&s.idleLoadPercent) ||
               change.names(&s.idleSeconds)) {
        restartAutomaticRelease();
    }
}

// The scan rests while auto-close is off, since its tick would do nothing.
void Utilities::scheduleAutoClose() {
    const settings::Settings& s = live_.settings;
    autoCloseTimer_.start(
        s.autoCloseOn == 1 ? settings::millisecondsOfTenths(s.autoCloseIntervalTenths) : 0);
}

void Utilities::autoCloseTick() {
    std::vector<std::size_t> counted = autoClose_.tick(services_.windows, own_, live_);
    if (live_.settings.autoCloseOn != 1) return;
    if (!announcedTitle_ || autoClose_.capturedTitle() != *announcedTitle_) {
        announcedTitle_ = autoClose_.capturedTitle();
        live_.notices.publish(settings::Topic::CapturedTitle);
    }
    // Row by row: a list showing the counts redraws only those rows.
    for (std::size_t row : counted)
        if (row < live_.closeList.size())
            live_.notices.publish({settings::Topic::CloseCount, &live_.closeList[row]});
}

void Utilities::folderSizingTick() {
    features::TargetSize target = folderTargetSize ? folderTargetSize() : features::TargetSize{};
    features::FolderSizingFields before = folderSizing_.fields();
    folderSizing_.tick(services_.windows, target);
    if (folderSizing_.fields() != before) live_.notices.publish(settings::Topic::FolderSizing);
}

// Turning the automatic release on or off, or moving one of its settings, starts its counts
// again.
void Utilities::restartAutomaticRelease() {
    automatic_.restartCounts();
    automaticReleaseTimer_.start(live_.settings.autoReleaseOn == 1 ? 1000 : 0);
}

void Utilities::releaseByHand() { release_.byHand(live_.settings.manualReleaseMegabytes); }

void Utilities::addCapturedTitle() {
    if (autoClose_.addCapturedTitle(live_)) live_.notices.publish(settings::Topic::CloseList);
}

}  // namespace ui
