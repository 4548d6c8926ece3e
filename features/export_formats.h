#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/texts.h"
#include "features/alerts.h"
#include "features/history_ring.h"

namespace features {

// One drive the program shows, as served.
struct ExportDrive {
    std::string name;  // "C:"
    std::int64_t freeBytes = 0;
    std::int64_t sizeBytes = 0;
};

// A reading taken from another program, as served: its name and unit, never its address or
// token. No value while it has none that is current.
struct ExportSource {
    std::string name;
    std::string unit;
    std::optional<double> value;
};

// The processes of one executable among the busiest.
struct ExportProcess {
    std::string name;  // "chrome.exe"
    int count = 0;     // processes of that name
    double cpuRatio = 0;
    std::int64_t privateBytes = 0;
};
// So that the series stay few, only this many executables are served of each kind.
constexpr std::size_t kExportProcesses = 5;

// What the latest tick published, in the units the export serves. Nothing here is private to
// the user: no clipboard text, memo, close list, window title or proxy address.
struct ExportSnapshot {
    std::int64_t unixSeconds = 0;  // when it was taken, UTC
    // None until measured: a load needs two readings, and a 0 before that would be recorded as
    // an idle machine.
    std::optional<double> cpuRatio;
    std::vector<double> coreRatios;  // by processor, from 0; empty until measured
    std::int64_t memoryUsedBytes = 0;
    std::int64_t memoryTotalBytes = 0;
    // Processor time of all processors together since the system started, in seconds; none
    // until read.
    struct CpuSeconds {
        double idle = 0, user = 0, system = 0;
    };
    std::optional<CpuSeconds> cpuSeconds;
    std::string interfaceName;       // the chosen interface, which the byte counters count
    std::int64_t receivedBytes = 0;  // since the program started
    std::int64_t sentBytes = 0;
    std::vector<ExportDrive> drives;
    std::vector<ExportSource> sources;           // each name once, in the list's order
    std::vector<ExportProcess> busiestByCpu;     // busiest first
    std::vector<ExportProcess> busiestByMemory;  // most private memory first
    double uptimeSeconds = 0;
    std::int64_t bootUnixSeconds = 0;  // when the system started
    // The program itself, as every Prometheus client library serves its process.
    double processStartUnixSeconds = 0;
    double processCpuSeconds = 0;
    std::int64_t processResidentBytes = 0;
    std::array<bool, kAlertRules> alertActive{};
    std::string version;
};

// The names the rules go by on the wire: "cpu", "memory", "drive", "traffic".
const char* alertRuleName(AlertRule rule);

// The Prometheus text exposition, version 0.0.4.
std::string metricsText(const ExportSnapshot& s);
// The same readings as one JSON object, the keys the metric names without the prefix.
std::string dataJson(const ExportSnapshot& s);

// One point of the page's chart: processor and memory load, 0 to 1; NaN where nothing was read.
struct ChartPoint {
    float cpu;
    float memory;
};
// The page's chart has a point every this many seconds: 360 points for the hour.
constexpr int kChartStepSeconds = 10;
// The last hour of the history at one point per `step` seconds, oldest first.
std::vector<ChartPoint> lastHour(const HistoryRing& ring, int step = kChartStepSeconds);

// The page at "/": complete in itself, in `language`, showing `points` at once and following
// /data.json every second.
std::string pageHtml(base::Language language, const std::vector<ChartPoint>& points);

// "2026-12-08T13:40:05Z"
std::string rfc3339(std::int64_t unixSeconds);
// A JSON string literal, quotes included.
std::string jsonString(const std::string& utf8);
std::string utf8(const std::wstring& text);

}  // namespace features
