#pragma once
#include <string>
#include <vector>

#include "monitor/monitor_state.h"
#include "platform/clock.h"
#include "platform/network.h"
#include "render/number_pattern.h"

namespace monitor {

struct AdapterChoice {
    std::vector<std::wstring> entries;  // interface descriptions in table order
    int selected = -1;                  // the first Ethernet interface; -1 when there is none
};

// The interface table (filled once at start-up) and the per-tick counter sampling.
class NetworkSampler {
public:
    // Fills the table from the system; a failed call keeps the table as it was.
    AdapterChoice enumerateAdapters(platform::Network& network);
    const std::vector<platform::InterfaceRow>& table() const { return table_; }

    // One sample of the chosen adapter (an index into the table). Without a valid choice no
    // reading is taken and the texts stay; returns whether a reading was taken.
    bool sample(MonitorState& state, platform::Network& network, platform::Clock& clock,
                int adapterIndex, int byteBit, const render::NumberSymbols& symbols);

private:
    std::vector<platform::InterfaceRow> table_;
};

// The full scale of a rate bar: steps of 8 Kbyte/s or 64 Kbit/s.
std::int64_t fullScale(int slider, int byteBit);
// Bar width of a rate over a 157-pixel row; 0 when the full scale is 0.
int rateBarWidth(std::int64_t rate, std::int64_t fullScale);
std::wstring rateUnit(int byteBit);

// The shown total of items 110 and 111: plain "0", or megabytes as "##GB ###.00" + "MB".
std::wstring totalText(std::int64_t bytes, const render::NumberSymbols& symbols);

}  // namespace monitor
