#pragma once
#include <string>

#include "features/readings_history.h"
#include "ui/timer_service.h"

namespace ui {

// The readings' history in the running program: fed by every refresh tick, the traffic file
// read at start, written every ten minutes when something was counted, and at exit.
class HistoryUpkeep {
public:
    static constexpr unsigned kWriteIntervalMs = 10 * 60 * 1000;

    HistoryUpkeep(platform::TextFiles& files, platform::LocaleFormat& locale, std::wstring path,
                  TimerService& timers);
    void start();
    void record(const monitor::Readings& readings) { history_.record(readings); }
    void writeAtExit() { history_.writeFile(); }
    const features::ReadingsHistory& history() const { return history_; }

private:
    features::ReadingsHistory history_;
    TimerService::Timer writeTimer_;
};

}  // namespace ui
