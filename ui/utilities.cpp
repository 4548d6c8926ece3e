#include "ui/utilities.h"

namespace ui {

void Utilities::start(HWND host, HWND main) {
    host_ = host;
    own_ = {reinterpret_cast<platform::WindowId>(host), reinterpret_cast<platform::WindowId>(main)};
    keepAutoCloseTimer();
    automaticReleaseChanged();
}

void Utilities::setInterval(UINT_PTR timer, unsigned milliseconds) {
    if (!host_) return;
    if (timer == kAutoCloseTimer) {
        autoCloseTimerOn_ = milliseconds != 0 && live_.settings.autoCloseOn == 1;
        if (!autoCloseTimerOn_) milliseconds = 0;
    }
    if (milliseconds == 0)
        KillTimer(host_, timer);
    else
        SetTimer(host_, timer, milliseconds, nullptr);
}

bool Utilities::onTimer(UINT_PTR id) {
    switch (id) {
        case kAutoCloseTimer: {
            if (live_.settings.autoCloseOn != 1) {
                setInterval(kAutoCloseTimer, 0);
                return true;
            }
            bool counted = autoClose_.tick(windows_, own_, live_);
            if (autoClose_.capturedTitle() != announcedTitle_) {
                announcedTitle_ = autoClose_.capturedTitle();
                live_.notices.publish(settings::Topic::CapturedTitle);
            }
            if (counted) live_.notices.publish(settings::Topic::CloseList);
            return true;
        }
        case kFolderSizingTimer: {
            features::TargetSize target =
                folderTargetSize ? folderTargetSize() : features::TargetSize{};
            features::FolderSizingFields before = folderSizing_.fields();
            folderSizing_.tick(windows_, target);
            if (folderSizing_.fields() != before)
                live_.notices.publish(settings::Topic::FolderSizing);
            return true;
        }
        case kAutoReleaseTimer:
            automatic_.tick(live_.settings);
            return true;
    }
    return false;
}

void Utilities::keepAutoCloseTimer() {
    if (autoCloseTimerOn_ || live_.settings.autoCloseOn != 1) return;
    setInterval(kAutoCloseTimer,
                static_cast<unsigned>(live_.settings.autoCloseIntervalTenths) * 100);
}

void Utilities::releaseByHand() { release_.byHand(live_.settings.manualReleaseMegabytes); }

void Utilities::automaticReleaseChanged() {
    automatic_.restartCounts();
    setInterval(kAutoReleaseTimer, live_.settings.autoReleaseOn == 1 ? 1000 : 0);
}

void Utilities::addCapturedTitle() {
    if (autoClose_.addCapturedTitle(live_)) live_.notices.publish(settings::Topic::CloseList);
}

}  // namespace ui
