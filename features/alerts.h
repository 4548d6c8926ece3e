#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "features/busiest_processes.h"
#include "features/history_chart.h"
#include "features/traffic_days.h"
#include "monitor/readings.h"
#include "settings/settings.h"

namespace features {

enum class AlertRule { Cpu, Memory, Drive, Traffic };

// What the running program needs of each rule besides its check: the setting that turns it on,
// and the trend chart its notices are marked on. One row per rule, in the order of AlertRule.
struct AlertRuleRow {
    AlertRule rule;
    int settings::Settings::*on;
    std::optional<HistoryChart> chart;  // none: the reading has no chart
};
constexpr std::array kAlertRuleRows = {
    AlertRuleRow{AlertRule::Cpu, &settings::Settings::alertCpuOn, kProcessorChart},
    AlertRuleRow{AlertRule::Memory, &settings::Settings::alertMemoryOn, kMemoryChart},
    AlertRuleRow{AlertRule::Drive, &settings::Settings::alertDriveOn, std::nullopt},
    // today's traffic, received and sent together, stands on the receive chart
    AlertRuleRow{AlertRule::Traffic, &settings::Settings::alertTrafficOn, kReceiveChart},
};
constexpr std::size_t kAlertRules = kAlertRuleRows.size();

constexpr bool alertRowsInRuleOrder() {
    for (std::size_t i = 0; i < kAlertRules; ++i)
        if (static_cast<std::size_t>(kAlertRuleRows[i].rule) != i) return false;
    return true;
}
static_assert(alertRowsInRuleOrder(),
              "kAlertRuleRows must hold one row per AlertRule, in the enumeration's order");

constexpr const AlertRuleRow& alertRuleRow(AlertRule rule) {
    return kAlertRuleRows[static_cast<std::size_t>(rule)];
}
inline bool isAlertOn(const settings::Settings& s, AlertRule rule) {
    return s.*alertRuleRow(rule).on == 1;
}
// Whether any rule is on; while none is, the readings need not be gathered for them.
inline bool anyAlertOn(const settings::Settings& s) {
    for (const AlertRuleRow& row : kAlertRuleRows)
        if (s.*row.on == 1) return true;
    return false;
}

// However the readings move, a rule tells at most once in this time.
constexpr std::int64_t kAlertQuietMs = 10 * 60 * 1000;
// Back below the threshold by this much (points, or per cent of a traffic allowance), the rule
// may tell again.
constexpr int kAlertMarginPoints = 5;
constexpr int kAlertMarginPercentOfAllowance = 5;

// One rule's episodes: it tells once when its condition has held for its time, then not again
// until the reading has been clear of the threshold by the margin for the same time.
class AlertEpisode {
public:
    // `raised`: the condition holds now; `cleared`: the reading is back past the margin.
    // Returns whether to tell now.
    bool update(std::int64_t nowMs, bool raised, bool cleared, std::int64_t holdMs);
    // Whether a raised condition would lead to a notice: not yet told in this episode.
    bool armed() const { return armed_; }

private:
    bool armed_ = true;
    std::optional<std::int64_t> raisedSince_, clearedSince_, toldAt_;
};

struct AlertNotice {
    AlertRule rule;
    std::wstring title;  // names the reading
    std::wstring text;   // the value and the threshold
};

// What the rules read: the latest readings, the lowest free share of the ticked drives, and the
// traffic counted today.
struct AlertReadings {
    std::int64_t nowMs = 0;
    int cpuPercent = 0;
    int memoryPercent = 0;
    std::optional<int> lowestDriveFreePercent;  // none: no ticked drive has been read
    std::wstring lowestDrive;                   // "C:"
    std::int64_t todayBytes = 0;
    // Who uses the machine, read again and asked only when a notice is told; none: not named.
    BusiestProcesses* processes = nullptr;
    std::uint32_t tickCount = 0;  // now, as the processes were read
};

// A processor or memory notice names up to this many executables.
constexpr std::size_t kAlertProcesses = 3;

// The lowest free share among the drives read this tick, and which drive it is.
void takeDrives(AlertReadings& into, const std::vector<monitor::DriveReading>& drives);

// Which rules are on with their reading past the threshold now, however long it has held.
std::array<bool, kAlertRules> thresholdsCrossed(const AlertReadings& r,
                                                const settings::Settings& s);

// The rules over the readings; settings are read at each check, so a change acts at once.
class Alerts {
public:
    std::vector<AlertNotice> check(const AlertReadings& r, const settings::Settings& s);
    // Whether the rule may tell in this episode: while its threshold is crossed, it is counting.
    bool armed(AlertRule rule) const { return episodes_[static_cast<std::size_t>(rule)].armed(); }

private:
    std::array<AlertEpisode, kAlertRules> episodes_;
};

// The notice "テスト通知" shows.
AlertNotice testNotice();

}  // namespace features
