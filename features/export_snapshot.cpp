#include "features/export_snapshot.h"

#include <algorithm>
#include <cmath>

#include "base/version.h"

namespace features {
namespace {

constexpr std::int64_t kMegabyte = 1024 * 1024;

double ratio(int percent) { return std::clamp(percent, 0, 100) / 100.0; }

}  // namespace

void ExportReadings::count(const monitor::Readings& r, const std::wstring& interfaceName) {
    if (r.drivesRefreshed) {
        drives_.clear();
        for (const monitor::DriveReading& drive : r.drives)
            if (drive.capacityRead && drive.figures.totalMB > 0) drives_.push_back(drive);
    }
    if (!r.sampledNow.network || !r.totalsRead) return;
    if (interfaceName != interface_) {
        // Another interface's counters are no continuation of this one's.
        counter_ = TrafficCounter();
        interface_ = interfaceName;
    }
    TrafficCounter::Moved moved = counter_.take(r.in.total, r.out.total, r.tickCount);
    ByteTotals& totals = moved_[interface_];
    totals.received += moved.bytes.received;
    totals.sent += moved.bytes.sent;
}

ExportSnapshot ExportReadings::snapshot(const monitor::Readings& r, const settings::Settings& s,
                                        const SnapshotContext& context) const {
    ExportSnapshot out;
    out.unixSeconds = context.unixSeconds;
    if (r.cpuTotalMeasured) out.cpuRatio = ratio(r.cpuTotalPercent);
    const int cores = std::clamp(context.processorCount, 1, settings::kProcessorItems);
    bool coresMeasured = true;
    for (int core = 0; core < cores; ++core) coresMeasured = coresMeasured && r.cpuMeasured[core];
    for (int core = 0; coresMeasured && core < cores; ++core)
        out.coreRatios.push_back(ratio(r.cpuPercent[core]));
    out.memoryTotalBytes = static_cast<std::int64_t>(r.memoryTotalMB) * kMegabyte;
    out.memoryUsedBytes =
        static_cast<std::int64_t>(std::max(0, r.memoryTotalMB - r.memoryFreeMB)) * kMegabyte;
    if (r.cpuTimes) {
        constexpr double kSecond = 1e7;  // the system counts in 100 ns
        const platform::ProcessorTimes& t = *r.cpuTimes;
        const std::uint64_t busy = t.total > t.idle ? t.total - t.idle : 0;
        out.cpuSeconds = {t.idle / kSecond, std::min(t.user, busy) / kSecond,
                          (busy - std::min(t.user, busy)) / kSecond};
    }
    out.interfaceName = utf8(interface_);
    if (auto totals = moved_.find(interface_); totals != moved_.end()) {
        out.receivedBytes = totals->second.received;
        out.sentBytes = totals->second.sent;
    }
    for (const monitor::DriveReading& drive : drives_) {
        out.drives.push_back({utf8(drive.figures.path),
                              static_cast<std::int64_t>(drive.figures.freeMB) * kMegabyte,
                              static_cast<std::int64_t>(drive.figures.totalMB) * kMegabyte});
    }
    // Two sources of one name would be one series twice: the later ones are numbered.
    for (const monitor::SourceReading& source : r.sources) {
        std::string name = utf8(source.name);
        int same = 1;
        for (const ExportSource& before : out.sources)
            if (before.name == name || before.name.starts_with(name + " (")) ++same;
        if (same > 1) name += " (" + std::to_string(same) + ")";
        std::optional<double> value = source.value;
        if (value && !std::isfinite(*value)) value.reset();
        out.sources.push_back({std::move(name), utf8(source.unit), value});
    }
    auto served = [](const std::vector<ProcessGroup>* groups) {
        std::vector<ExportProcess> out;
        if (!groups) return out;
        for (const ProcessGroup& g : *groups) {
            if (out.size() == kExportProcesses) break;
            out.push_back(
                {utf8(g.name), g.count, g.cpuRatio(), static_cast<std::int64_t>(g.privateBytes)});
        }
        return out;
    };
    out.busiestByCpu = served(context.busiestByCpu);
    out.busiestByMemory = served(context.busiestByMemory);
    out.uptimeSeconds = static_cast<double>(context.uptimeMs) / 1000.0;
    out.bootUnixSeconds = context.bootUnixSeconds;
    out.processStartUnixSeconds = context.processStartUnixSeconds;
    out.processCpuSeconds = context.processCpuSeconds;
    out.processResidentBytes = context.processResidentBytes;
    AlertReadings alert;
    alert.cpuPercent = r.cpuTotalPercent;
    alert.memoryPercent = r.memoryPercent;
    takeDrives(alert, drives_);
    alert.todayBytes = context.todayBytes;
    out.alertActive = thresholdsCrossed(alert, s);
    out.version = KORVANT_VERSION_DOTTED;
    return out;
}

}  // namespace features
