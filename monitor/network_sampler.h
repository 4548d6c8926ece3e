#pragma once
#include <string>
#include <vector>

#include "monitor/readings.h"
#include "platform/clock.h"
#include "platform/network.h"

namespace monitor {

struct AdapterChoice {
    std::vector<std::wstring> entries;  // interface descriptions in table order
    int selected = -1;                  // the first Ethernet interface; -1 when there is none
};

// The interface table (filled once at start-up) and the chosen interface's counters, tracked
// across their 32-bit wrap from sample to sample.
class NetworkSampler {
public:
    // Fills the table from the system; a failed call keeps the table as it was.
    AdapterChoice enumerateAdapters(platform::Network& network);

    // One sample of the chosen adapter (an index into the table) into the totals, and from the
    // second sample on into the rates. Without a valid choice nothing is read; returns whether
    // a reading was taken.
    bool sample(platform::Network& network, platform::Clock& clock, int adapterIndex, int rateUnit,
                Readings& readings);

private:
    struct Counter {
        bool highHalf = false;  // the last reading was at or above 2^31
        std::int64_t wraps = 0;
        std::int64_t previousTotal = 0;
        std::int64_t track(std::uint32_t raw);
    };
    std::vector<platform::InterfaceRow> table_;
    Counter in_, out_;
    bool baselineTaken_ = false;
    std::uint32_t lastSampleTick_ = 0;
};

// Bar width of a rate over a 157-pixel row; 0 when the full scale is 0.
int rateBarWidth(std::int64_t rate, std::int64_t fullScale);

}  // namespace monitor
