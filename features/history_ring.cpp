#include "features/history_ring.h"

namespace features {

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
        mean[i] = count_[i] ? static_cast<float>(sum_[i] / count_[i]) : kNoValue;
    *this = SecondMean{};
    return {mean[0], mean[1], mean[2], mean[3]};
}

}  // namespace features
