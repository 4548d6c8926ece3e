#include "monitor/network_sampler.h"

#include "monitor/percent.h"

namespace monitor {
namespace {

constexpr std::int64_t kWrap = 4294967296LL;

// Wrap tracking of one counter: the counter is read as a signed 32-bit number; a reading in
// the low half after one in the high half means the counter passed 2^32.
void track(ByteCounter& c, std::uint32_t raw) {
    std::int64_t value = static_cast<std::int32_t>(raw);
    if (value > 0 && c.highHalf) {
        c.highHalf = false;
        ++c.wraps;
    }
    if (value < 0) {
        value += kWrap;
        c.highHalf = true;
    }
    c.counter = value;
    c.total = c.wraps * kWrap + c.counter;
}

// Whole units per second, rounded down. A decrease of the counter (another adapter chosen,
// a driver reset) gives 0 for that sample instead of a negative rate.
std::int64_t rateOf(std::int64_t deltaBytes, std::uint32_t elapsedMs, int byteBit) {
    if (elapsedMs == 0 || deltaBytes <= 0) return 0;
    std::int64_t bits = byteBit == 1 ? 8 : 1;
    std::int64_t rate = deltaBytes * bits * 1000 / (1024LL * elapsedMs);
    return rate == 0 ? 1 : rate;  // any traffic shows at least 1
}

}  // namespace

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

bool NetworkSampler::sample(MonitorState& state, platform::Network& network,
                            platform::Clock& clock, int adapterIndex, int byteBit,
                            const render::NumberSymbols& symbols) {
    if (adapterIndex < 0 || adapterIndex >= static_cast<int>(table_.size())) return false;
    platform::InterfaceRow row = network.interfaceRow(table_[adapterIndex].index);
    track(state.in, row.inOctets);
    track(state.out, row.outOctets);
    state.in.totalText = render::formatNumber(state.in.total, L"#,##0", symbols);
    state.out.totalText = render::formatNumber(state.out.total, L"#,##0", symbols);

    if (state.baselineTaken) {
        // Modulo 2^32, so the tick count's wrap after 49.7 days costs nothing.
        std::uint32_t elapsed = clock.tickCount() - state.lastNetTick;
        state.in.rate = rateOf(state.in.total - state.in.prevTotal, elapsed, byteBit);
        elapsed = clock.tickCount() - state.lastNetTick;
        state.out.rate = rateOf(state.out.total - state.out.prevTotal, elapsed, byteBit);
        state.valueText[2] = std::to_wstring(state.in.rate) + rateUnit(byteBit);
        state.valueText[3] = std::to_wstring(state.out.rate) + rateUnit(byteBit);
    }
    state.baselineTaken = true;
    state.in.prevTotal = state.in.total;
    state.out.prevTotal = state.out.total;
    state.lastNetTick = clock.tickCount();
    return true;
}

std::int64_t fullScale(int slider, int byteBit) {
    return static_cast<std::int64_t>(slider) * (byteBit == 1 ? 64 : 8);
}

int rateBarWidth(std::int64_t rate, std::int64_t scale) {
    if (scale <= 0 || rate <= 0) return 0;
    return static_cast<int>(quotientHalfEven(rate * 157, scale));
}

std::wstring rateUnit(int byteBit) { return byteBit == 1 ? L"Kbit/秒" : L"Kbyte/秒"; }

std::wstring totalText(std::int64_t bytes, const render::NumberSymbols& symbols) {
    if (bytes == 0) return L"0";
    // Megabytes with kilobyte resolution.
    double megabytes = static_cast<double>(bytes / 1024) / 1024.0;
    return render::formatNumber(megabytes, L"##GB ###.00", symbols) + L"MB";
}

}  // namespace monitor
