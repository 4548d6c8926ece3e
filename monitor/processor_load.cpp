#include "monitor/processor_load.h"

#include "platform/system_info.h"

namespace monitor {

int ProcessorLoad::measure(Slot& slot, const std::optional<platform::ProcessorTimes>& now) {
    int percent = 0;
    slot.measured = slot.previous && now;
    if (slot.previous && now && now->total > slot.previous->total &&
        now->idle >= slot.previous->idle) {
        std::uint64_t elapsed = now->total - slot.previous->total;
        std::uint64_t idle = now->idle - slot.previous->idle;
        std::uint64_t busy = idle >= elapsed ? 0 : elapsed - idle;
        percent = static_cast<int>(busy * 100 / elapsed);
    }
    slot.previous = now;
    return percent;
}

int ProcessorLoad::readTotal(int last) {
    if (family_ != platform::kPlatformNT) return last;
    return measure(total_, source_.totalTimes());
}

bool ProcessorLoad::processorMeasured(int processor) const {
    return processor >= 0 && processor < settings::kProcessorItems &&
           processors_[processor].measured;
}

int ProcessorLoad::readProcessor(int processor, int last) {
    if (family_ != platform::kPlatformNT || processor < 0 || processor >= settings::kProcessorItems)
        return last;
    return measure(processors_[processor], source_.processorTimes(processor));
}

}  // namespace monitor
