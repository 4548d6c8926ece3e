#include "monitor/memory_sampler.h"

#include "monitor/percent.h"

namespace monitor {
namespace {

constexpr std::uint64_t kMegabyte = 1048576;

std::wstring mb(int value) { return std::to_wstring(value) + L"MB"; }

}  // namespace

void sampleMemory(MonitorState& state, platform::MemoryStatusSource& source, int memDisplay) {
    if (auto status = source.memoryStatus()) {
        state.memoryTotalMB = static_cast<int>(status->totalPhysical / kMegabyte);
        state.memoryFreeMB = static_cast<int>(status->availablePhysical / kMegabyte);
    }
    int total = state.memoryTotalMB;
    int free = state.memoryFreeMB;
    switch (memDisplay) {
        case 0: state.memoryText = mb(total - free) + L"/" + mb(total); break;
        case 1: state.memoryText = mb(free) + L"/" + mb(total); break;
        case 2: state.memoryText = mb(total - free) + L"/" + mb(free); break;
        default: break;
    }
    state.valueText[1] = state.memoryText;
    // No reading yet leaves the total at 0: show 0 rather than divide by it.
    state.memoryPercent =
        total > 0 ? percentHalfEven(total - free, total) : 0;
}

}  // namespace monitor
