#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>
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
template <class Sample>
class SecondRing {
public:
    static constexpr std::int64_t kSeconds = 24 * 60 * 60;

    // The whole day is reserved but only the seconds kept are written: memory the system has
    // not been asked to touch costs nothing until the history reaches it.
    explicit SecondRing(Sample gap) : gap_(gap) { slots_.reserve(static_cast<size_t>(kSeconds)); }
    // The sample of `second`; the seconds between the newest and it read as gaps. A second
    // not after the newest replaces nothing and is dropped.
    void push(std::int64_t second, const Sample& sample) {
        if (second < 0 || second <= newest_) return;
        if (newest_ < 0) {
            oldest_ = second;
        } else {
            // Only the last day's worth of skipped seconds can still be read.
            std::int64_t from = std::max(newest_ + 1, second - kSeconds + 1);
            for (std::int64_t s = from; s < second; ++s) slot(s) = gap_;
        }
        slot(second) = sample;
        newest_ = second;
    }
    bool empty() const { return newest_ < 0; }
    std::int64_t newestSecond() const { return newest_; }
    // The sample of `second`; nullopt outside the last 24 hours or before the first sample.
    std::optional<Sample> at(std::int64_t second) const {
        if (newest_ < 0 || second > newest_ || second <= newest_ - kSeconds || second < oldest_)
            return std::nullopt;
        return slots_[static_cast<size_t>((second - oldest_) % kSeconds)];
    }

private:
    Sample& slot(std::int64_t second) {  // grows the filled part to reach it
        const auto index = static_cast<size_t>((second - oldest_) % kSeconds);
        if (index >= slots_.size()) slots_.resize(index + 1, gap_);
        return slots_[index];
    }

    Sample gap_;
    std::vector<Sample> slots_;  // by seconds since the oldest, around the day
    std::int64_t newest_ = -1;
    std::int64_t oldest_ = 0;  // the first second ever pushed
};

inline constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

// The four readings' day.
class HistoryRing : public SecondRing<HistorySample> {
public:
    HistoryRing() : SecondRing({kNoValue, kNoValue, kNoValue, kNoValue}) {}
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
