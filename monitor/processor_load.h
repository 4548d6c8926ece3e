#pragma once
#include <array>
#include <optional>

#include "platform/processor_times.h"
#include "settings/display_item.h"

namespace monitor {

// Five reading slots (the total and processors 0..3). Each reading covers the time since the
// same slot's previous reading, so a slot that pauses measures the whole pause; a slot's first
// reading, and every reading of a processor that does not exist, is 0.
class ProcessorLoad {
public:
    ProcessorLoad(platform::ProcessorTimesSource& source, int platformFamily)
        : source_(source), family_(platformFamily) {}

    // Whole percentages rounded down; on a platform without a method the last value stays.
    int readTotal(int last);
    int readProcessor(int processor, int last);
    // Whether the slot's latest reading was measured against one before it: a first reading's
    // 0 is no measure of anything.
    bool totalMeasured() const { return total_.measured; }
    bool processorMeasured(int processor) const;
    // The times of all processors as last read.
    const std::optional<platform::ProcessorTimes>& totalTimes() const { return total_.previous; }

private:
    struct Slot {
        std::optional<platform::ProcessorTimes> previous;
        bool measured = false;
    };
    static int measure(Slot& slot, const std::optional<platform::ProcessorTimes>& now);

    platform::ProcessorTimesSource& source_;
    int family_;
    Slot total_;
    std::array<Slot, settings::kProcessorItems> processors_;
};

}  // namespace monitor
