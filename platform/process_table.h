#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// One running process as the system lists it. A process is told apart from a later one that
// reuses its id by its start time.
struct ProcessEntry {
    std::uint32_t id = 0;
    std::uint64_t startTime = 0;      // 100 ns units, as the system gives it
    std::wstring name;                // the executable's file name, without a path
    std::uint64_t processorTime = 0;  // kernel and user time, 100 ns units since it started
    std::uint64_t privateBytes = 0;
};

// Every process at one moment. A process whose name the system does not give is left out; the
// idle process too, whose "time" is the processors' idle time.
struct ProcessTable {
    int processors = 1;  // the processor time of the whole machine is this many per unit of time
    std::vector<ProcessEntry> processes;
};

class ProcessTableSource {
public:
    virtual ~ProcessTableSource() = default;
    // Fills `into` (reusing its storage); false when the system cannot tell.
    virtual bool read(ProcessTable& into) = 0;
};

}  // namespace platform
