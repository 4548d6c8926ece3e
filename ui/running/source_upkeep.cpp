#include "ui/running/source_upkeep.h"

namespace ui {
namespace {

// Due sources are asked by the refresh tick, which runs anyway; a timer of their own runs only
// when the tick comes less often than this, the shortest interval a source may have.
constexpr unsigned kPollMs = 1000;

std::wstring shownName(const settings::SourceSetting& s) { return s.name.empty() ? s.key : s.name; }

}  // namespace

SourceUpkeep::SourceUpkeep(settings::LiveSettings& live, platform::PageFetcher& fetcher,
                           platform::Clock& clock, platform::LocaleFormat& locale,
                           features::StatusBar& status, TimerService& timers)
    : live_(live),
      locale_(locale),
      status_(status),
      poller_(fetcher, clock),
      timer_(timers.make([this] { poller_.poll(); })) {
    poller_.changed = [this](std::size_t index) { told(index); };
}

void SourceUpkeep::start() {
    live_.notices.subscribe([this](const settings::Change& change) {
        if (change.topic == settings::Topic::Sources ||
            change.names(&live_.settings.refreshIntervalTenths))
            apply();
    });
    apply();
}

void SourceUpkeep::apply() {
    poller_.setSources(live_.sources);
    toldFaults_.assign(live_.sources.size(), features::SourceFault::None);
    // With no sources nothing runs: no timer, no socket.
    const bool slowTicks =
        settings::millisecondsOfTenths(live_.settings.refreshIntervalTenths) > kPollMs;
    if (poller_.wantsTimer() && slowTicks) {
        if (!timer_.running()) timer_.start(kPollMs);
    } else {
        timer_.stop();
    }
    if (poller_.wantsTimer()) poller_.poll();
    live_.notices.publish(settings::Topic::SourceStatus);
}

void SourceUpkeep::told(std::size_t index) {
    if (index < live_.sources.size() && index < toldFaults_.size()) {
        features::SourceStatus status = poller_.status(index);
        // A fault is told once as it begins, not on every retry.
        if (!status.value && !status.waiting && status.fault != toldFaults_[index])
            status_.show(shownName(live_.sources[index]) + L": " +
                         features::sourceReasonText(status));
        toldFaults_[index] = status.value ? features::SourceFault::None : status.fault;
    }
    live_.notices.publish(settings::Topic::SourceStatus);
}

void SourceUpkeep::read(std::vector<monitor::SourceReading>& into) {
    if (poller_.wantsTimer()) poller_.poll();
    into.resize(live_.sources.size());
    const std::wstring decimal = locale_.decimalSeparator();
    for (std::size_t i = 0; i < live_.sources.size(); ++i) {
        const settings::SourceSetting& s = live_.sources[i];
        features::SourceStatus status = poller_.status(i);
        monitor::SourceReading& r = into[i];
        r.identity = std::wstring(settings::storedKindText(s.kind)) + L'\n' + s.url + L'\n' + s.key;
        r.name = shownName(s);
        r.text = features::sourceValueText(status, s, decimal.empty() ? L'.' : decimal.front());
        r.value = status.value;
        r.unit = s.unit.empty() ? status.unit : s.unit;
        r.barMin = s.barMin;
        r.barMax = s.barMax;
        r.shown = s.shown;
    }
}

}  // namespace ui
