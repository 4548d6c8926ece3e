#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/process_table.h"

namespace features {

// The processes of one executable together: their processor time over a span, or their private
// memory now.
struct ProcessGroup {
    std::wstring name;
    int count = 0;                    // processes of that name
    std::uint64_t processorTime = 0;  // 100 ns units over the span
    std::uint64_t machineTime = 0;    // the whole machine's processor time over the same span
    std::uint64_t privateBytes = 0;

    // Shares of the whole machine, as the list's processor row counts it.
    int cpuPercent() const;
    double cpuRatio() const;
};

// "burner.exe 48%", "chrome.exe ×12 35%"
std::wstring processorShareText(const ProcessGroup& group);
// "chrome.exe ×12 1,234MB"
std::wstring privateMemoryText(const ProcessGroup& group);

// Which processes use the machine: the process table read only when someone asks for it, at
// most once a second, and what each process used between the reads kept for as long as the
// askers look back, so that a process that ended meanwhile is still counted.
class BusiestProcesses {
public:
    explicit BusiestProcesses(platform::ProcessTableSource& source) : source_(source) {}

    // Reads the table unless it was read less than `everyMs` (a second at least) ago.
    // `lookBackMs`: the longest span the asker will ask about.
    void readWhenDue(std::uint32_t nowMs, std::uint32_t lookBackMs, std::uint32_t everyMs = 1000);
    // Up to `count` executables with the most processor time over the last `spanMs`, busiest
    // first; none that used nothing, and none when the reads do not cover the span's end.
    std::vector<ProcessGroup> byProcessor(std::uint32_t nowMs, std::uint32_t spanMs,
                                          std::size_t count) const;
    // Up to `count` executables with the most private memory at the latest read.
    std::vector<ProcessGroup> byMemory(std::size_t count) const;
    int reads() const { return reads_; }

private:
    struct Key {
        std::uint32_t id;
        std::uint64_t startTime;
        auto operator<=>(const Key&) const = default;
    };
    struct Seen {
        std::uint32_t name;  // index into names_
        std::uint64_t processorTime;
    };
    struct Used {
        Key key;
        std::uint32_t name;
        std::uint64_t processorTime;
    };
    // What the processes used between two reads; only those that used anything.
    struct Interval {
        std::uint32_t startMs, endMs;
        int processors;
        std::vector<Used> used;
    };

    std::uint32_t nameIndex(const std::wstring& name);
    void forgetBefore(std::uint32_t nowMs);

    platform::ProcessTableSource& source_;
    platform::ProcessTable table_;
    std::optional<std::uint32_t> readAt_;
    std::uint32_t lookBackMs_ = 0;
    int reads_ = 0;
    std::map<Key, Seen> previous_;
    std::vector<Interval> intervals_;  // oldest first
    std::vector<std::wstring> names_;
    std::unordered_map<std::wstring, std::uint32_t> nameIndices_;
};

}  // namespace features
