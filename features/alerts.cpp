#include "features/alerts.h"

#include "base/texts.h"
#include "monitor/percent.h"
#include "render/number_pattern.h"

namespace features {
namespace {

using base::Text;

constexpr std::int64_t kMegabyte = 1024 * 1024;

std::wstring grouped(std::int64_t n) { return render::formatNumber(n, L"#,##0"); }

std::wstring percent(int value) { return std::to_wstring(value) + L"%"; }

// One line a process under the notice's own; a processor share that rounds to nothing is not
// worth a line.
template <typename Describe>
std::wstring withProcesses(std::wstring line, const std::vector<ProcessGroup>& groups,
                           Describe describe) {
    for (const ProcessGroup& g : groups)
        if (g.machineTime == 0 || g.cpuPercent() > 0) line += L"\n" + describe(g);
    return line;
}

// The processes are read once more as a notice is told, so that it names them up to now.
std::vector<ProcessGroup> busiestByProcessor(const AlertReadings& r, std::uint32_t spanMs) {
    if (!r.processes) return {};
    r.processes->readWhenDue(r.tickCount, spanMs);
    return r.processes->byProcessor(r.tickCount, spanMs, kAlertProcesses);
}

std::vector<ProcessGroup> busiestByMemory(const AlertReadings& r) {
    if (!r.processes) return {};
    r.processes->readWhenDue(r.tickCount, 0);
    return r.processes->byMemory(kAlertProcesses);
}

}  // namespace

bool AlertEpisode::update(std::int64_t nowMs, bool raised, bool cleared, std::int64_t holdMs) {
    if (!armed_) {
        if (!cleared) {
            clearedSince_.reset();
            return false;
        }
        if (!clearedSince_) clearedSince_ = nowMs;
        if (nowMs - *clearedSince_ < holdMs) return false;
        armed_ = true;
        clearedSince_.reset();
    }
    if (!raised) {
        raisedSince_.reset();
        return false;
    }
    if (!raisedSince_) raisedSince_ = nowMs;
    if (nowMs - *raisedSince_ < holdMs) return false;
    if (toldAt_ && nowMs - *toldAt_ < kAlertQuietMs) return false;
    armed_ = false;
    raisedSince_.reset();
    toldAt_ = nowMs;
    return true;
}

void takeDrives(AlertReadings& into, const std::vector<monitor::DriveReading>& drives) {
    for (const monitor::DriveReading& drive : drives) {
        if (!drive.capacityRead || drive.figures.totalMB <= 0) continue;
        int free = monitor::percentHalfEven(drive.figures.freeMB, drive.figures.totalMB);
        if (!into.lowestDriveFreePercent || free < *into.lowestDriveFreePercent) {
            into.lowestDriveFreePercent = free;
            into.lowestDrive = drive.figures.path;
        }
    }
}

std::array<bool, kAlertRules> thresholdsCrossed(const AlertReadings& r,
                                                const settings::Settings& s) {
    std::array<bool, kAlertRules> crossed{};
    crossed[static_cast<std::size_t>(AlertRule::Cpu)] =
        s.alertCpuOn == 1 && r.cpuPercent >= s.alertCpuPercent;
    crossed[static_cast<std::size_t>(AlertRule::Memory)] =
        s.alertMemoryOn == 1 && r.memoryPercent >= s.alertMemoryPercent;
    crossed[static_cast<std::size_t>(AlertRule::Drive)] =
        s.alertDriveOn == 1 && r.lowestDriveFreePercent &&
        *r.lowestDriveFreePercent <= s.alertDrivePercent;
    crossed[static_cast<std::size_t>(AlertRule::Traffic)] =
        s.alertTrafficOn == 1 &&
        r.todayBytes >= static_cast<std::int64_t>(s.alertTrafficMegabytes) * kMegabyte;
    return crossed;
}

std::vector<AlertNotice> Alerts::check(const AlertReadings& r, const settings::Settings& s) {
    std::vector<AlertNotice> told;
    auto episode = [this](AlertRule rule) -> AlertEpisode& {
        return episodes_[static_cast<std::size_t>(rule)];
    };
    const std::int64_t cpuHoldMs = static_cast<std::int64_t>(s.alertCpuSeconds) * 1000;
    if (isAlertOn(s, AlertRule::Cpu) &&
        episode(AlertRule::Cpu)
            .update(r.nowMs, r.cpuPercent >= s.alertCpuPercent,
                    r.cpuPercent < s.alertCpuPercent - kAlertMarginPoints, cpuHoldMs))
        told.push_back(
            {AlertRule::Cpu, base::text(Text::AlertCpuTitle),
             withProcesses(base::format(Text::AlertCpuLine,
                                        {percent(r.cpuPercent), percent(s.alertCpuPercent),
                                         std::to_wstring(s.alertCpuSeconds)}),
                           busiestByProcessor(r, static_cast<std::uint32_t>(cpuHoldMs)),
                           processorShareText)});
    if (isAlertOn(s, AlertRule::Memory) &&
        episode(AlertRule::Memory)
            .update(r.nowMs, r.memoryPercent >= s.alertMemoryPercent,
                    r.memoryPercent < s.alertMemoryPercent - kAlertMarginPoints, 0))
        told.push_back(
            {AlertRule::Memory, base::text(Text::AlertMemoryTitle),
             withProcesses(base::format(Text::AlertMemoryLine,
                                        {percent(r.memoryPercent), percent(s.alertMemoryPercent)}),
                           busiestByMemory(r), privateMemoryText)});
    if (isAlertOn(s, AlertRule::Drive) && r.lowestDriveFreePercent) {
        int free = *r.lowestDriveFreePercent;
        if (episode(AlertRule::Drive)
                .update(r.nowMs, free <= s.alertDrivePercent,
                        free > s.alertDrivePercent + kAlertMarginPoints, 0))
            told.push_back({AlertRule::Drive, base::text(Text::AlertDriveTitle),
                            base::format(Text::AlertDriveLine, {r.lowestDrive, percent(free),
                                                                percent(s.alertDrivePercent)})});
    }
    if (isAlertOn(s, AlertRule::Traffic)) {
        const std::int64_t allowance =
            static_cast<std::int64_t>(s.alertTrafficMegabytes) * kMegabyte;
        const std::int64_t margin = allowance * kAlertMarginPercentOfAllowance / 100;
        if (episode(AlertRule::Traffic)
                .update(r.nowMs, r.todayBytes >= allowance, r.todayBytes < allowance - margin, 0))
            told.push_back(
                {AlertRule::Traffic, base::text(Text::AlertTrafficTitle),
                 base::format(Text::AlertTrafficLine, {grouped(r.todayBytes / kMegabyte),
                                                       grouped(s.alertTrafficMegabytes)})});
    }
    return told;
}

AlertNotice testNotice() {
    return {AlertRule::Cpu, base::text(Text::AlertTestTitle), base::text(Text::AlertTestLine)};
}

}  // namespace features
