#pragma once
#include "monitor/monitor_state.h"
#include "platform/memory_status.h"

namespace monitor {

// Physical memory into the monitor state and item 101's value text. A failed reading keeps
// the previous figures; an unknown format choice keeps the previous text.
void sampleMemory(MonitorState& state, platform::MemoryStatusSource& source, int memDisplay);

}  // namespace monitor
