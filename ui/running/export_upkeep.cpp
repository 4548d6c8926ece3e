#include "ui/running/export_upkeep.h"

#include <windows.h>
// windows.h first
#include <psapi.h>

#include <ctime>

#include "base/texts.h"

namespace ui {
namespace {

// The processor shares served go back this far: over the time between two scrapes, for
// scrapers that come as seldom as every two minutes.
constexpr std::uint32_t kProcessSpanMs = 120 * 1000;
// One read of the process table costs more than all the rest of a scrape (about 0.6 ms under
// Wine): scrapers that come every second are served processes read every ten.
constexpr std::uint32_t kProcessReadEveryMs = 10 * 1000;
// Typing "19749" takes less than this between keys; a box left alone this long is meant.
constexpr unsigned kTypingPauseMs = 1500;

std::uint64_t ticksOf(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// A FILETIME counts 100 ns from 1601.
double unixSecondsOf(const FILETIME& t) {
    constexpr std::uint64_t kFrom1601To1970 = 116444736000000000ull;
    return static_cast<double>(ticksOf(t) - kFrom1601To1970) / 1e7;
}

}  // namespace

ExportUpkeep::ExportUpkeep(settings::LiveSettings& live, const features::ReadingsHistory& history,
                           platform::RequestServer& server, features::StatusBar& status,
                           features::BusiestProcesses& busiest, TimerService& timers)
    : live_(live), history_(history), server_(server), status_(status), busiest_(busiest) {
    retry_ = timers.make([this] {
        retry_.stop();
        tryToServe();
    });
    typingPause_ = timers.make([this] { apply(); });
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    processorCount_ = static_cast<int>(system.dwNumberOfProcessors);
    // Once, so that it never wavers by the second between two scrapes.
    bootUnixSeconds_ = static_cast<std::int64_t>(std::time(nullptr)) -
                       static_cast<std::int64_t>(GetTickCount64() / 1000);
    FILETIME created, ended, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        startUnixSeconds_ = unixSecondsOf(created);
}

void ExportUpkeep::start() {
    apply();
    live_.notices.subscribe([this](const settings::Change& change) {
        const settings::Settings& s = live_.settings;
        if (change.names(&s.exportOn))
            apply();
        else if (change.names(&s.exportPort) || change.names(&s.exportAddress) ||
                 change.names(&s.exportAllowed))
            typingPause_.start(kTypingPauseMs);
        else if (change.topic == settings::Topic::TypingDone && typingPause_.running())
            apply();
        else if (change.names(&s.language) && (server_.running() || s.exportOn != 1))
            showState(settledText(), false);
    });
}

void ExportUpkeep::stop() {
    retry_.stop();
    typingPause_.stop();
    server_.stop();
}

void ExportUpkeep::apply() {
    typingPause_.stop();
    retry_.stop();
    failures_ = 0;
    tryToServe();
}

void ExportUpkeep::tryToServe() {
    const settings::Settings& s = live_.settings;
    server_.stop();
    if (s.exportOn != 1) {
        showState(settledText(), false);
        return;
    }
    const std::wstring where = s.exportAddress + L":" + s.exportPort;
    std::optional<std::uint16_t> port = features::exportPort(s);
    if (!port) {
        showState(base::format(base::Text::ExportFailed,
                               {where, base::text(base::Text::SocketAddressNotAvailable)}),
                  true);
        return;
    }
    // The latest tick's readings are there before the first request.
    if (latest_) render(*latest_);
    features::AllowList allowed = features::readAllowList(s.exportAllowed);
    platform::SocketFailure failure = server_.start(
        s.exportAddress, *port,
        [this](std::string_view received) { return service_.reply(received); },
        [allowed](const std::string& peer, const std::string& local) {
            return features::peerAllowed(peer, local, allowed);
        },
        features::busyResponse());
    if (!failure) {
        failures_ = 0;
        showState(settledText(), true);
        return;
    }
    // The address may come up later (a network joined after log-on), the port be freed.
    const std::uint32_t pause = features::exportRetryMs(++failures_);
    retry_.start(pause);
    showState(base::format(base::Text::ExportRetrying,
                           {where, failure.description, std::to_wstring(pause / 1000)}),
              true);
}

void ExportUpkeep::take(const monitor::Readings& readings) {
    latest_ = &readings;
    const settings::LiveSettings& live = live_;
    const int chosen = live.settings.adapterIndex;
    readings_.count(readings, chosen >= 0 && chosen < static_cast<int>(live.adapterChoices.size())
                                  ? live.adapterChoices[static_cast<std::size_t>(chosen)]
                                  : std::wstring());
    if (server_.running()) render(readings);
}

void ExportUpkeep::render(const monitor::Readings& readings) {
    features::SnapshotContext context;
    context.unixSeconds = static_cast<std::int64_t>(std::time(nullptr));
    context.uptimeMs = GetTickCount64();
    context.bootUnixSeconds = bootUnixSeconds_;
    context.processorCount = processorCount_;
    features::ByteTotals today = history_.days().of(history_.today());
    context.todayBytes = today.received + today.sent;
    const bool asked = service_.takeAsked();
    // The program's own figures cost two requests of the system: read for the scrapes only.
    if (asked || !ownRead_) readOwnFigures();
    context.processStartUnixSeconds = startUnixSeconds_;
    context.processCpuSeconds = ownCpuSeconds_;
    context.processResidentBytes = ownResidentBytes_;
    // A scrape came: the processes are read for the next one.
    if (asked &&
        (!processesReadAt_ || readings.tickCount - *processesReadAt_ >= kProcessReadEveryMs)) {
        processesReadAt_ = readings.tickCount;
        busiest_.readWhenDue(readings.tickCount, kProcessSpanMs);
        busiestByCpu_ =
            busiest_.byProcessor(readings.tickCount, kProcessSpanMs, features::kExportProcesses);
        busiestByMemory_ = busiest_.byMemory(features::kExportProcesses);
    }
    context.busiestByCpu = &busiestByCpu_;
    context.busiestByMemory = &busiestByMemory_;
    service_.publish(readings_.snapshot(readings, live_.settings, context));
    // The chart moves by a point every step: it is taken again only then, or in a new language.
    const features::HistoryRing& ring = history_.ring();
    const std::int64_t step = ring.empty() ? -1 : ring.newestSecond() / features::kChartStepSeconds;
    if (step != chartStep_ || base::language() != chartLanguage_) {
        chartStep_ = step;
        chartLanguage_ = base::language();
        service_.publishPage({features::lastHour(ring), chartLanguage_});
    }
}

void ExportUpkeep::readOwnFigures() {
    ownRead_ = true;
    FILETIME created, ended, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        ownCpuSeconds_ = static_cast<double>(ticksOf(kernel) + ticksOf(user)) / 1e7;
    PROCESS_MEMORY_COUNTERS memory{};
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        ownResidentBytes_ = static_cast<std::int64_t>(memory.WorkingSetSize);
}

std::wstring ExportUpkeep::settledText() const {
    return server_.running()
               ? base::format(base::Text::ExportListening, {features::exportUrl(live_.settings)})
               : base::text(base::Text::ExportOff);
}

void ExportUpkeep::showState(std::wstring text, bool toStatusBar) {
    if (toStatusBar) status_.show(text);
    state_ = std::move(text);
    // An entry of the allow-list that is no address or range lets nobody in: the page says so.
    const std::vector<std::wstring> unreadable =
        features::readAllowList(live_.settings.exportAllowed).unreadable;
    if (!unreadable.empty()) {
        std::wstring names;
        for (const std::wstring& entry : unreadable) names += (names.empty() ? L"" : L" ") + entry;
        state_ += L"\r\n" + base::format(base::Text::ExportAllowedUnreadable, {names});
    }
    live_.notices.publish(settings::Topic::ExportState);
}

}  // namespace ui
