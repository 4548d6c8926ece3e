#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "features/source_reading.h"
#include "platform/clock.h"
#include "platform/page_fetcher.h"
#include "settings/source_settings.h"

namespace features {

// One source as the program knows it now.
struct SourceStatus {
    std::optional<double> value;            // current: read within the last three intervals
    std::wstring unit;                      // the unit the answer gave, if any
    SourceFault fault = SourceFault::None;  // why there is no current value
    std::wstring detail;
    bool waiting = true;  // nothing read yet (neither a value nor a fault)
};

// A value older than this many intervals is no longer shown as current.
constexpr int kStaleIntervals = 3;
// A failing source is asked again after a pause that doubles up to this.
constexpr std::uint32_t kLongestRetryMs = 60 * 1000;

// Reads every source on its own interval, one request in flight each, through the page fetcher
// (http on the program's socket, https on its WinHTTP worker). A failing source waits longer
// each time, up to a minute. Nothing here ever waits: answers arrive as the fetcher calls back.
class SourcePoller {
public:
    SourcePoller(platform::PageFetcher& fetcher, platform::Clock& clock);
    ~SourcePoller();
    SourcePoller(const SourcePoller&) = delete;
    SourcePoller& operator=(const SourcePoller&) = delete;

    // The list as the settings hold it now. A source whose address, key, kind and token are
    // unchanged keeps its value and its turn; any other starts afresh, and an answer still on
    // its way for what was there before is dropped.
    void setSources(const std::vector<settings::SourceSetting>& sources);
    // Asks every source that is due; the caller's timer calls it (see `wantsTimer`).
    void poll();
    // Whether there is anything to poll: with no sources no timer runs.
    bool wantsTimer() const { return !entries_.empty(); }

    std::size_t size() const { return entries_.size(); }
    // The source's status at this moment: a value past its time shows as stale.
    SourceStatus status(std::size_t index) const;

    // Told when a source's status changes (a value, a fault), on the user-interface thread.
    std::function<void(std::size_t index)> changed;

private:
    struct Entry;
    void ask(std::size_t index);
    void answer(std::size_t index, std::uint64_t generation, const platform::PageAnswer& a);

    platform::PageFetcher& fetcher_;
    platform::Clock& clock_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::uint64_t nextGeneration_ = 1;
    // Cleared when this poller goes, so that a late answer finds no one to tell.
    std::shared_ptr<SourcePoller*> self_;
};

// The reason a status shows, in the current language ("接続できません"); empty with a value.
std::wstring sourceReasonText(const SourceStatus& status);
// The row's value text: the number with its decimals and unit, or "--".
std::wstring sourceValueText(const SourceStatus& status, const settings::SourceSetting& source,
                             wchar_t decimalSeparator = L'.');

// A source's offers, for picking one from a list: fetched once, answered on the user-interface
// thread.
void fetchSourceOffers(platform::PageFetcher& fetcher, const settings::SourceSetting& source,
                       std::function<void(SourceOffers)> done);

}  // namespace features
