#include "features/alerts.h"

#include "monitor/percent.h"
#include "render/number_pattern.h"

namespace features {
namespace {

constexpr std::int64_t kMegabyte = 1024 * 1024;

std::wstring grouped(std::int64_t n) { return render::formatNumber(n, L"#,##0"); }

std::wstring percent(int value) { return std::to_wstring(value) + L"%"; }

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

std::vector<AlertNotice> Alerts::check(const AlertReadings& r, const settings::Settings& s) {
    std::vector<AlertNotice> told;
    auto episode = [this](AlertRule rule) -> AlertEpisode& {
        return episodes_[static_cast<std::size_t>(rule)];
    };
    const std::int64_t cpuHoldMs = static_cast<std::int64_t>(s.alertCpuSeconds) * 1000;
    if (s.alertCpuOn == 1 &&
        episode(AlertRule::Cpu)
            .update(r.nowMs, r.cpuPercent >= s.alertCpuPercent,
                    r.cpuPercent < s.alertCpuPercent - kAlertMarginPoints, cpuHoldMs))
        told.push_back({AlertRule::Cpu, L"CPU使用率が高い状態です",
                        L"CPU使用率 " + percent(r.cpuPercent) + L"（しきい値 " +
                            percent(s.alertCpuPercent) + L"・" +
                            std::to_wstring(s.alertCpuSeconds) + L"秒）"});
    if (s.alertMemoryOn == 1 &&
        episode(AlertRule::Memory)
            .update(r.nowMs, r.memoryPercent >= s.alertMemoryPercent,
                    r.memoryPercent < s.alertMemoryPercent - kAlertMarginPoints, 0))
        told.push_back({AlertRule::Memory, L"メモリの空きが少なくなっています",
                        L"メモリ使用率 " + percent(r.memoryPercent) + L"（しきい値 " +
                            percent(s.alertMemoryPercent) + L"）"});
    if (s.alertDriveOn == 1 && r.lowestDriveFreePercent) {
        int free = *r.lowestDriveFreePercent;
        if (episode(AlertRule::Drive)
                .update(r.nowMs, free <= s.alertDrivePercent,
                        free > s.alertDrivePercent + kAlertMarginPoints, 0))
            told.push_back({AlertRule::Drive, L"ドライブの空き容量が少なくなっています",
                            r.lowestDrive + L" の空き容量 " + percent(free) + L"（しきい値 " +
                                percent(s.alertDrivePercent) + L"）"});
    }
    if (s.alertTrafficOn == 1) {
        const std::int64_t allowance =
            static_cast<std::int64_t>(s.alertTrafficMegabytes) * kMegabyte;
        const std::int64_t margin = allowance * kAlertMarginPercentOfAllowance / 100;
        if (episode(AlertRule::Traffic)
                .update(r.nowMs, r.todayBytes >= allowance, r.todayBytes < allowance - margin, 0))
            told.push_back({AlertRule::Traffic, L"今日の通信量がしきい値を超えました",
                            L"今日の通信量 " + grouped(r.todayBytes / kMegabyte) +
                                L"MB（しきい値 " + grouped(s.alertTrafficMegabytes) + L"MB）"});
    }
    return told;
}

AlertNotice testNotice() {
    return {AlertRule::Cpu, L"コルバ君NT テスト通知", L"通知はこのように表示されます"};
}

}  // namespace features
