#include "ui/running/alert_upkeep.h"

#include <algorithm>
#include <vector>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/image_bitmap.h"
#include "render/gradient.h"

namespace ui {
namespace {

base::Colour listColour(std::int32_t stored) {
    return render::resolveColour(stored, [](int index) { return GetSysColor(index); });
}

// The bar's end colour of a list item, as its row draws it.
base::Colour barColour(const settings::LiveSettings& live, settings::Item item) {
    for (const settings::DisplayRow& row : live.displayRows)
        if (row.id == item) return listColour(row.colour2);
    return base::rgb(0, 192, 0);
}

}  // namespace

AlertUpkeep::AlertUpkeep(const settings::LiveSettings& live,
                         const features::ReadingsHistory& history, TrayIcon& tray,
                         features::BusiestProcesses& busiest)
    : live_(live), history_(history), tray_(tray), busiest_(busiest) {}

AlertUpkeep::~AlertUpkeep() = default;

void AlertUpkeep::setPlainIcon(HICON icon, std::wstring tip) {
    plainIcon_ = icon;
    plainTip_ = std::move(tip);
}

void AlertUpkeep::take(const monitor::Readings& readings) {
    const settings::Settings& s = live_.settings;
    latest_ = &readings;
    if (s.trayLoadIcon == 1) {
        constexpr std::uint32_t kMeanMs = 1000;
        loadMean_.add(readings.cpuTotalPercent, readings.memoryPercent);
        if (!shownBars_ || !meanSince_ || readings.tickCount - *meanSince_ >= kMeanMs) {
            int side = win32::systemMetricForDpi(SM_CXSMICON, win32::systemDpi());
            bars_ = *loadMean_.take(side);
            meanSince_ = readings.tickCount;
        }
        showLoad(readings);
    } else if (shownBars_) {
        showPlain();
    }
    // The rules look once a second, at most.
    if (checkedAt_) {
        std::uint32_t elapsed = readings.tickCount - *checkedAt_;
        if (elapsed < 1000) return;
        steadyMs_ += elapsed;
    }
    checkedAt_ = readings.tickCount;
    std::vector<features::CombinedNotice> due;
    for (const features::SourceNotice& notice :
         sourceAlerts_.check(steadyMs_, readings.sources, live_.sources))
        due.push_back({notice.title, notice.text});
    if (!features::anyAlertOn(s)) return tell(due);
    features::AlertReadings r;
    r.nowMs = steadyMs_;
    r.cpuPercent = readings.cpuTotalPercent;
    r.memoryPercent = readings.memoryPercent;
    features::takeDrives(r, readings.drives);
    features::ByteTotals today = history_.days().of(history_.today());
    r.todayBytes = today.received + today.sent;
    // The process table is read as a notice is told and, while the processor rule counts
    // towards one, every few seconds so that processes that end meanwhile are still counted:
    // an idle machine costs nothing, a busy one little.
    r.processes = &busiest_;
    r.tickCount = readings.tickCount;
    const auto crossed = features::thresholdsCrossed(r, s);
    constexpr std::size_t kCpu = static_cast<std::size_t>(features::AlertRule::Cpu);
    constexpr std::uint32_t kCountingReadEveryMs = 5000;
    if (crossed[kCpu] && alerts_.armed(features::AlertRule::Cpu))
        busiest_.readWhenDue(readings.tickCount,
                             static_cast<std::uint32_t>(s.alertCpuSeconds) * 1000,
                             kCountingReadEveryMs);
    std::vector<features::CombinedNotice> rules;
    for (const features::AlertNotice& notice : alerts_.check(r, s)) {
        rules.push_back({notice.title, notice.text});
        mark(notice.rule);
    }
    rules.insert(rules.end(), due.begin(), due.end());
    tell(rules);
}

void AlertUpkeep::tell(const std::vector<features::CombinedNotice>& notices) {
    if (notices.empty()) return;
    features::CombinedNotice all = features::combineNotices(notices);
    tray_.showBalloon(all.title, all.text);
}

void AlertUpkeep::mark(features::AlertRule rule) {
    const features::HistoryRing& ring = history_.ring();
    std::optional<features::HistoryChart> chart = features::alertRuleRow(rule).chart;
    if (ring.empty() || !chart) return;
    std::erase_if(marks_, [&](const features::ChartMark& m) {
        return m.second <= ring.newestSecond() - features::HistoryRing::kSeconds;
    });
    marks_.push_back({ring.newestSecond(), *chart});
}

void AlertUpkeep::pointerOverIcon() {
    pointerSeenAt_ = GetTickCount();
    if (shownBars_ && latest_) showLoad(*latest_);
}

void AlertUpkeep::showTest() {
    features::AlertNotice notice = features::testNotice();
    tray_.showBalloon(notice.title, notice.text);
}

// Redrawn only when a bar's height in pixels changes; the tooltip when its text does.
void AlertUpkeep::showLoad(const monitor::Readings& readings) {
    int side = win32::systemMetricForDpi(SM_CXSMICON, win32::systemDpi());
    const LoadBars& bars = bars_;
    constexpr std::uint32_t kTipFollowsMs = 5000;
    const bool pointerNear = pointerSeenAt_ && GetTickCount() - *pointerSeenAt_ < kTipFollowsMs;
    const bool followTip = !shownBars_ || pointerNear;
    std::optional<features::ProcessGroup> busiest;
    if (pointerNear) {
        // The busiest over the last few ticks, and at least the last few seconds.
        const std::uint32_t spanMs = std::max<std::uint32_t>(
            3000,
            200u * static_cast<std::uint32_t>(std::max(live_.settings.refreshIntervalTenths, 1)));
        busiest_.readWhenDue(readings.tickCount, spanMs);
        std::vector<features::ProcessGroup> top =
            busiest_.byProcessor(readings.tickCount, spanMs, 1);
        if (!top.empty() && top.front().cpuPercent() > 0) busiest = std::move(top.front());
    }
    std::wstring tip =
        followTip ? loadTipText(readings, live_.settings.rateUnit, busiest) : std::wstring();
    const bool newTip = followTip && tip != shownTip_;
    const bool newBars = !shownBars_ || !(*shownBars_ == bars);
    if (!newBars && !newTip) return;
    if (newBars) {
        const auto& colours = live_.settings.colours;
        base::Image picture = loadIconPicture(
            bars, side,
            {listColour(colours[settings::kBackgroundColour]),
             listColour(colours[settings::kTextColour]), barColour(live_, settings::Item::CpuTotal),
             barColour(live_, settings::Item::Memory)});
        if (win32::UniqueIcon icon = win32::iconOf(picture)) loadIcon_ = std::move(icon);
    }
    shownBars_ = bars;
    if (newTip) shownTip_ = std::move(tip);
    tray_.change(loadIcon_ ? loadIcon_.get() : plainIcon_, shownTip_);
}

void AlertUpkeep::retext(std::wstring plainTip) {
    plainTip_ = std::move(plainTip);
    if (shownBars_ && latest_) {
        shownBars_.reset();  // the next drawing writes the tooltip whatever the pointer did
        showLoad(*latest_);
    } else {
        showPlain();
    }
}

void AlertUpkeep::showPlain() {
    shownBars_.reset();
    shownTip_.clear();
    tray_.change(plainIcon_, plainTip_);
}

}  // namespace ui
