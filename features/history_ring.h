#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace features {

// One second of the four readings the history keeps; a field without a reading in that second
// is NaN.
struct HistorySample {
    float cpuPercent;
    float memoryPercent;
    float receivedPerSecond;  // bytes per second
    float sentPerSecond;
};

// The last 24 hours at one sample a second, reserved once and filled as the seconds come. Seconds
// are counted on the program's own steady count, so a change of the wall clock neither loses nor
// reorders samples.
class HistoryRing {
public:
    static constexpr std::int64_t kSeconds = 24 * 60 * 60;

    HistoryRing();
    // The sample of `second`; the seconds between the newest and it read as gaps. A second
    // not after the newest replaces nothing and is dropped.
    void push(std::int64_t second, const HistorySample& sample);
    bool empty() const { return newest_ < 0; }
    std::int64_t newestSecond() const { return newest_; }
    // The sample of `second`; nullopt outside the last 24 hours or before the first sample.
    std::optional<HistorySample> at(std::int64_t second) const;

private:
    HistorySample& slot(std::int64_t second);  // grows the filled part to reach it

    std::vector<HistorySample> slots_;  // by seconds since the oldest, around the day
    std::int64_t newest_ = -1;
    std::int64_t oldest_ = 0;  // the first second ever pushed
};

// The mean of the readings of the ticks within one second, field by field.
class SecondMean {
public:
    void add(std::optional<float> cpu, std::optional<float> memory, std::optional<float> received,
             std::optional<float> sent);
    bool empty() const { return ticks_ == 0; }
    HistorySample take();

private:
    double sum_[4]{};
    int count_[4]{};
    int ticks_ = 0;
};

}  // namespace features
