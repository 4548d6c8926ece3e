#include "features/source_history.h"

#include <algorithm>
#include <cmath>

namespace features {

void SourceHistory::take(const std::vector<monitor::SourceReading>& readings) {
    follow(readings);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        SourceSeries& s = series_[i];
        s.latest = readings[i];
        if (readings[i].value && std::isfinite(*readings[i].value)) {
            s.sum += *readings[i].value;
            ++s.count;
        }
    }
}

// The series in the order of the list, each taken by its identity from where it was.
void SourceHistory::follow(const std::vector<monitor::SourceReading>& readings) {
    const bool same = series_.size() == readings.size() &&
                      std::equal(readings.begin(), readings.end(), series_.begin(),
                                 [](const monitor::SourceReading& r, const SourceSeries& s) {
                                     return r.identity == s.identity;
                                 });
    if (same) return;
    std::vector<SourceSeries> next;
    next.reserve(readings.size());
    for (const monitor::SourceReading& r : readings) {
        auto kept = std::find_if(series_.begin(), series_.end(),
                                 [&](const SourceSeries& s) { return s.identity == r.identity; });
        if (kept != series_.end()) {
            next.push_back(std::move(*kept));
            // Taken: a second entry of the same source starts a series of its own.
            series_.erase(kept);
        } else {
            next.emplace_back(r.identity);
        }
    }
    series_ = std::move(next);
}

void SourceHistory::closeSecond(std::int64_t second) {
    for (SourceSeries& s : series_) {
        s.seconds.push(second, s.count ? static_cast<float>(s.sum / s.count) : kNoValue);
        s.sum = 0;
        s.count = 0;
    }
}

}  // namespace features
