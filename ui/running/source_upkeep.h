#pragma once
#include <vector>

#include "features/source_poller.h"
#include "features/status_bar.h"
#include "monitor/readings.h"
#include "platform/locale_format.h"
#include "settings/live_settings.h"
#include "ui/timer_service.h"

namespace ui {

// The readings taken from other programs in the running program: the poller follows the list
// of sources at once; every refresh tick asks those that are due and takes their latest values
// (a timer of its own runs only while there are sources and the ticks are slower than a second). A
// source that fails says why on the options window's status bar, once, when it starts failing.
class SourceUpkeep {
public:
    SourceUpkeep(settings::LiveSettings& live, platform::PageFetcher& fetcher,
                 platform::Clock& clock, platform::LocaleFormat& locale,
                 features::StatusBar& status, TimerService& timers);
    void start();
    // The refresh tick's reader: every source of the list, in order.
    void read(std::vector<monitor::SourceReading>& into);
    features::SourcePoller& poller() { return poller_; }

private:
    void apply();
    void told(std::size_t index);

    settings::LiveSettings& live_;
    platform::LocaleFormat& locale_;
    features::StatusBar& status_;
    features::SourcePoller poller_;
    TimerService::Timer timer_;
    std::vector<features::SourceFault> toldFaults_;
};

}  // namespace ui
