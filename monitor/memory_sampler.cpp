#include "monitor/memory_sampler.h"

#include "monitor/percent.h"

namespace monitor {

void sampleMemory(platform::MemoryStatusSource& source, Readings& readings) {
    constexpr std::uint64_t kMegabyte = 1048576;
    if (auto status = source.memoryStatus()) {
        readings.memoryTotalMB = static_cast<int>(status->totalPhysical / kMegabyte);
        readings.memoryFreeMB = static_cast<int>(status->availablePhysical / kMegabyte);
    }
    int total = readings.memoryTotalMB;
    // No reading yet leaves the total at 0: show 0 rather than divide by it.
    readings.memoryPercent = total > 0 ? percentHalfEven(total - readings.memoryFreeMB, total) : 0;
}

}  // namespace monitor
