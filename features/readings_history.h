#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "features/history_ring.h"
#include "features/source_history.h"
#include "features/traffic_days.h"
#include "monitor/readings.h"
#include "platform/locale_format.h"
#include "platform/text_files.h"

namespace features {

inline const wchar_t* const kTrafficFileName = L"TrafficHistory.csv";

// Bytes the interface counters moved between two samples. The totals are the sampler's, across
// the 32-bit wraps; a decrease, or more than any link could carry in the time (a reset read as a
// wrap), is a reset: it adds nothing and the next sample counts from there.
class TrafficCounter {
public:
    // 10 Gbit/s: a 32-bit counter wraps no sooner than every 3.4 s at that rate.
    static constexpr std::int64_t kMostBytesPerMs = 1'250'000;

    struct Moved {
        ByteTotals bytes;
        std::uint32_t elapsedMs = 0;  // 0 on the first sample and after a reset
    };
    Moved take(std::int64_t received, std::int64_t sent, std::uint32_t tick);

private:
    bool baseline_ = false;
    std::int64_t received_ = 0, sent_ = 0;
    std::uint32_t tick_ = 0;
};

// The readings' history: the last 24 hours of four readings and the sources' values a second in
// memory, and the daily traffic totals in the file beside the exe. Fed from each refresh tick's
// readings; asks the local time once a second, not on every tick.
class ReadingsHistory {
public:
    ReadingsHistory(platform::TextFiles& files, platform::LocaleFormat& locale, std::wstring path);

    // Start-up: the file's days. A file that is there but cannot be read whole (or decoded
    // whole) is never written over; counting goes on in memory.
    void readFile();
    // Every refresh tick, after the sampling.
    void record(const monitor::Readings& readings);
    // The periodic write and the one at exit: only when something was counted since the last.
    bool writeFile();

    const HistoryRing& ring() const { return ring_; }
    // The sources' values on the ring's seconds.
    const SourceHistory& sources() const { return sources_; }
    const TrafficDays& days() const { return days_; }
    // The local time of the ring's newest second, and the day the traffic counts into now.
    const platform::LocalTime& newestTime() const { return newestTime_; }
    Day today() const { return today_; }
    bool fileWritable() const { return writable_; }

private:
    void startSecond();
    void closeSecond();
    void countPending();
    // The file's days; nullopt when it is there but cannot be read, an empty list when it is not.
    std::optional<TrafficDays> readDays();

    platform::TextFiles& files_;
    platform::LocaleFormat& locale_;
    std::wstring path_;
    HistoryRing ring_;
    SecondMean mean_;
    SourceHistory sources_;
    TrafficDays days_;     // the file's days with what was counted since
    TrafficDays unsaved_;  // counted since the last write
    TrafficCounter counter_;

    bool started_ = false;
    std::uint32_t lastTick_ = 0;
    std::int64_t steadyMs_ = 0;
    std::int64_t second_ = 0;
    platform::LocalTime newestTime_, secondTime_;
    Day today_ = 0;
    ByteTotals pending_;  // moved since the last second closed
    bool writable_ = true;
    platform::TextEncoding encoding_ = platform::TextEncoding::Ansi;
};

}  // namespace features
