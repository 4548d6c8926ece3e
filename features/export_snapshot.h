#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "features/busiest_processes.h"
#include "features/export_formats.h"
#include "features/readings_history.h"
#include "monitor/readings.h"
#include "settings/settings.h"

namespace features {

// What the system says beside the readings when a snapshot is taken.
struct SnapshotContext {
    std::int64_t unixSeconds = 0;
    std::uint64_t uptimeMs = 0;
    int processorCount = 1;
    std::int64_t todayBytes = 0;  // the traffic counted today, for the traffic alert
    std::int64_t bootUnixSeconds = 0;
    // The program's own figures, as last read.
    double processStartUnixSeconds = 0;
    double processCpuSeconds = 0;
    std::int64_t processResidentBytes = 0;
    // The busiest executables as last read for a scrape; none when no scrape asked yet.
    const std::vector<ProcessGroup>* busiestByCpu = nullptr;
    const std::vector<ProcessGroup>* busiestByMemory = nullptr;
};

// Turns each tick's readings into what the export serves; counts the traffic since the program
// started itself, so that its counters only grow whatever the interface's counters do, and keeps
// each drive's last figures until they are read again.
class ExportReadings {
public:
    // Called after every tick, whether or not the server is on, so the counters start with the
    // program.
    // The traffic is counted for `interfaceName` (the chosen interface): another interface
    // chosen counts on from where its own count stood.
    void count(const monitor::Readings& r, const std::wstring& interfaceName);
    ExportSnapshot snapshot(const monitor::Readings& r, const settings::Settings& s,
                            const SnapshotContext& context) const;

private:
    TrafficCounter counter_;
    std::wstring interface_;
    std::map<std::wstring, ByteTotals> moved_;  // by interface
    // The drives as last read: their capacities are read only every so many seconds, and a
    // scrape between two reads still has them.
    std::vector<monitor::DriveReading> drives_;
};

}  // namespace features
