#include "features/history_ring.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace features {
namespace {

constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
constexpr HistorySample kGap{kNone, kNone, kNone, kNone};

}  // namespace

// The whole day is reserved but only the seconds kept are written: memory the system has not
// been asked to touch costs nothing until the history reaches it.
HistoryRing::HistoryRing() { slots_.reserve(static_cast<size_t>(kSeconds)); }

HistorySample& HistoryRing::slot(std::int64_t second) {
    const auto index = static_cast<size_t>((second - oldest_) % kSeconds);
    if (index >= slots_.size()) slots_.resize(index + 1, kGap);
    return slots_[index];
}

void HistoryRing::push(std::int64_t second, const HistorySample& sample) {
    if (second < 0 || second <= newest_) return;
    if (newest_ < 0) {
        oldest_ = second;
    } else {
        // Only the last day's worth of skipped seconds can still be read.
        std::int64_t from = std::max(newest_ + 1, second - kSeconds + 1);
        for (std::int64_t s = from; s < second; ++s) slot(s) = kGap;
    }
    slot(second) = sample;
    newest_ = second;
}

std::optional<HistorySample> HistoryRing::at(std::int64_t second) const {
    if (newest_ < 0 || second > newest_ || second <= newest_ - kSeconds || second < oldest_)
        return std::nullopt;
    return slots_[static_cast<size_t>((second - oldest_) % kSeconds)];
}

void SecondMean::add(std::optional<float> cpu, std::optional<float> memory,
                     std::optional<float> received, std::optional<float> sent) {
    const std::optional<float>* fields[] = {&cpu, &memory, &received, &sent};
    for (int i = 0; i < 4; ++i) {
        if (!*fields[i]) continue;
        sum_[i] += **fields[i];
        ++count_[i];
    }
    ++ticks_;
}

HistorySample SecondMean::take() {
    float mean[4];
    for (int i = 0; i < 4; ++i)
        mean[i] = count_[i] ? static_cast<float>(sum_[i] / count_[i]) : kNone;
    *this = SecondMean{};
    return {mean[0], mean[1], mean[2], mean[3]};
}

}  // namespace features
