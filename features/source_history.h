#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "features/history_ring.h"
#include "monitor/readings.h"

namespace features {

// One source's day: a float a second, NaN for a second without a value.
struct SourceSeries {
    explicit SourceSeries(std::wstring id) : identity(std::move(id)) {}
    std::wstring identity;
    monitor::SourceReading latest;  // as the newest tick read it: its name, unit, range
    SecondRing<float> seconds{kNoValue};
    double sum = 0;  // the values of the second being counted
    int count = 0;
};

// The sources' values in the readings' history, on the seconds of its ring. A series belongs to
// a source by its identity, not its place: a source moved in the list keeps its past, one added
// starts empty, and one removed is forgotten with its memory.
class SourceHistory {
public:
    // Every refresh tick: the list as it stands, and the values it read.
    void take(const std::vector<monitor::SourceReading>& readings);
    // The second's mean of each source into its series.
    void closeSecond(std::int64_t second);
    // In the list's order.
    const std::vector<SourceSeries>& series() const { return series_; }

private:
    void follow(const std::vector<monitor::SourceReading>& readings);

    std::vector<SourceSeries> series_;
};

}  // namespace features
