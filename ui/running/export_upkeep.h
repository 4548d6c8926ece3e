#pragma once
#include <optional>
#include <string>

#include "features/export_service.h"
#include "features/export_snapshot.h"
#include "features/readings_history.h"
#include "features/status_bar.h"
#include "platform/request_server.h"
#include "settings/live_settings.h"
#include "ui/timer_service.h"

namespace ui {

// The readings served over HTTP in the running program: the server follows the settings at
// once, and after every tick the texts it serves are rendered here, on the window's thread,
// while it runs. Off, the server has no thread and no socket.
class ExportUpkeep {
public:
    ExportUpkeep(settings::LiveSettings& live, const features::ReadingsHistory& history,
                 platform::RequestServer& server, features::StatusBar& status,
                 features::BusiestProcesses& busiest, TimerService& timers);
    // The worker calls into this object: it must end first.
    ~ExportUpkeep() { server_.stop(); }
    ExportUpkeep(const ExportUpkeep&) = delete;
    ExportUpkeep& operator=(const ExportUpkeep&) = delete;
    void start();
    // After every tick: the traffic is counted from the program's start, served or not.
    void take(const monitor::Readings& readings);
    // "Serving the readings at ...", "Not serving ..." or why it cannot.
    const std::wstring& stateText() const { return state_; }
    void stop();

private:
    // A change of the settings: tries again from the first pause.
    void apply();
    // One try to serve as the settings say; a failure is tried again after a growing pause.
    void tryToServe();
    // The served texts from `readings`: only while the server runs, once per tick.
    void render(const monitor::Readings& readings);
    // Where it serves, or that it is off: the state that is no failure.
    std::wstring settledText() const;
    void showState(std::wstring text, bool toStatusBar);
    void readOwnFigures();

    settings::LiveSettings& live_;
    const features::ReadingsHistory& history_;
    platform::RequestServer& server_;
    features::StatusBar& status_;
    features::BusiestProcesses& busiest_;
    // The busiest as read for the last scrape, served until the next one reads again.
    std::vector<features::ProcessGroup> busiestByCpu_, busiestByMemory_;
    std::optional<std::uint32_t> processesReadAt_;
    features::ExportService service_;
    features::ExportReadings readings_;
    std::wstring state_;
    TimerService::Timer retry_;
    int failures_ = 0;  // failed tries in a row
    // A half-typed address or port is never applied: the boxes apply when left, on Enter, or
    // after a pause in the typing.
    TimerService::Timer typingPause_;
    const monitor::Readings* latest_ = nullptr;  // the refresh cycle's, which outlives this
    int processorCount_ = 1;
    std::int64_t bootUnixSeconds_ = 0;
    double startUnixSeconds_ = 0;
    bool ownRead_ = false;
    double ownCpuSeconds_ = 0;
    std::int64_t ownResidentBytes_ = 0;
    std::int64_t chartStep_ = -2;  // none taken yet
    base::Language chartLanguage_ = base::Language::Japanese;
};

}  // namespace ui
