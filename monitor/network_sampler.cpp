#include "monitor/network_sampler.h"

#include "monitor/percent.h"

namespace monitor {
namespace {

constexpr std::int64_t kWrap = 4294967296LL;

// Whole units per second, rounded down. A decrease of the counter (another adapter chosen,
// a driver reset) gives 0 for that sample instead of a negative rate.
std::int64_t rateOf(std::int64_t deltaBytes, std::uint32_t elapsedMs, int rateUnit) {
    if (elapsedMs == 0 || deltaBytes <= 0) return 0;
    std::int64_t bits = rateUnit == settings::kKilobitsPerSecond ? 8 : 1;
    std::int64_t rate = deltaBytes * bits * 1000 / (1024LL * elapsedMs);
    return rate == 0 ? 1 : rate;  // any traffic shows at least 1
}

}  // namespace

// The counter is read as a signed 32-bit number; a reading in the low half after one in the
// high half means the counter passed 2^32.
std::int64_t NetworkSampler::Counter::track(std::uint32_t raw) {
    std::int64_t value = static_cast<std::int32_t>(raw);
    if (value > 0 && highHalf) {
        highHalf = false;
        ++wraps;
    }
    if (value < 0) {
        value += kWrap;
        highHalf = true;
    }
    return wraps * kWrap + value;
}

AdapterChoice NetworkSampler::enumerateAdapters(platform::Network& network) {
    if (auto rows = network.interfaceTable(); rows && !rows->empty()) table_ = std::move(*rows);
    AdapterChoice choice;
    for (size_t i = 0; i < table_.size(); ++i) {
        choice.entries.push_back(table_[i].description);
        if (choice.selected < 0 && table_[i].type == platform::kEthernetInterface)
            choice.selected = static_cast<int>(i);
    }
    return choice;
}

bool NetworkSampler::sample(platform::Network& network, platform::Clock& clock, int adapterIndex,
                            int rateUnit, Readings& readings) {
    if (adapterIndex < 0 || adapterIndex >= static_cast<int>(table_.size())) return false;
    platform::InterfaceRow row = network.interfaceRow(table_[adapterIndex].index);
    readings.in.total = in_.track(row.inOctets);
    readings.out.total = out_.track(row.outOctets);

    std::uint32_t now = clock.tickCount();
    if (baselineTaken_) {
        // Modulo 2^32, so the tick count's wrap after 49.7 days costs nothing.
        std::uint32_t elapsed = now - lastSampleTick_;
        readings.in.rate = rateOf(readings.in.total - in_.previousTotal, elapsed, rateUnit);
        readings.out.rate = rateOf(readings.out.total - out_.previousTotal, elapsed, rateUnit);
        readings.ratesRead = true;
    }
    baselineTaken_ = true;
    readings.totalsRead = true;
    in_.previousTotal = readings.in.total;
    out_.previousTotal = readings.out.total;
    lastSampleTick_ = now;
    return true;
}

int rateBarWidth(std::int64_t rate, std::int64_t scale) {
    if (scale <= 0 || rate <= 0) return 0;
    return static_cast<int>(quotientHalfEven(rate * 157, scale));
}

}  // namespace monitor
