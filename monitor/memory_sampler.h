#pragma once
#include "monitor/readings.h"
#include "platform/memory_status.h"

namespace monitor {

// Physical memory in whole megabytes and its load; a failed reading keeps the previous figures.
void sampleMemory(platform::MemoryStatusSource& source, Readings& readings);

}  // namespace monitor
