#pragma once
#include <cstdint>
#include <optional>

namespace platform {

// Cumulative processor times in 100 ns units since the system started. `total` counts idle,
// kernel and user time; the load over an interval is 1 - (idle change / total change).
struct ProcessorTimes {
    std::uint64_t idle = 0;
    std::uint64_t total = 0;
    std::uint64_t user = 0;  // of the total, in user mode; the rest but idle is the system's
};

class ProcessorTimesSource {
public:
    virtual ~ProcessorTimesSource() = default;
    // All processors together; nullopt when the system cannot tell.
    virtual std::optional<ProcessorTimes> totalTimes() = 0;
    // One processor, 0-based; nullopt when there is no such processor.
    virtual std::optional<ProcessorTimes> processorTimes(int processor) = 0;
};

}  // namespace platform
