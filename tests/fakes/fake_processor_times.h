#pragma once
#include <map>

#include "platform/processor_times.h"

namespace fakes {

class FakeProcessorTimes : public platform::ProcessorTimesSource {
public:
    std::optional<platform::ProcessorTimes> total;
    std::map<int, platform::ProcessorTimes> processors;  // missing: no such processor
    int totalReads = 0;
    int processorReads = 0;

    // Advances every counter by `elapsed`, of which `busyPercent` is not idle.
    void run(std::uint64_t elapsed, std::uint64_t busyPercent) {
        auto advance = [&](platform::ProcessorTimes& t) {
            t.total += elapsed;
            t.idle += elapsed * (100 - busyPercent) / 100;
            t.user += elapsed * busyPercent / 200;  // half the busy time in user mode
        };
        if (total) advance(*total);
        for (auto& [n, t] : processors) advance(t);
    }
    std::optional<platform::ProcessorTimes> totalTimes() override {
        ++totalReads;
        return total;
    }
    std::optional<platform::ProcessorTimes> processorTimes(int n) override {
        ++processorReads;
        auto it = processors.find(n);
        if (it == processors.end()) return std::nullopt;
        return it->second;
    }
};

}  // namespace fakes
