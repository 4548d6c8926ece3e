#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "features/alerts.h"
#include "features/history_chart.h"
#include "features/readings_history.h"
#include "features/source_alerts.h"
#include "platform/win32/unique_handle.h"
#include "settings/live_settings.h"
#include "ui/tray_icon.h"
#include "ui/tray_load.h"

namespace ui {

// The threshold alerts and the tray icon's load bars in the running program: fed by every
// refresh tick, telling through the tray icon's balloons.
class AlertUpkeep {
public:
    AlertUpkeep(const settings::LiveSettings& live, const features::ReadingsHistory& history,
                TrayIcon& tray, features::BusiestProcesses& busiest);
    ~AlertUpkeep();
    AlertUpkeep(const AlertUpkeep&) = delete;
    AlertUpkeep& operator=(const AlertUpkeep&) = delete;

    // The icon and tooltip the tray shows while the load is not drawn.
    void setPlainIcon(HICON icon, std::wstring tip);
    void take(const monitor::Readings& readings);
    // "テスト通知"
    void showTest();
    // The language changed: the tooltip again, in the new one.
    void retext(std::wstring plainTip);
    // The pointer moved over the tray icon: its tooltip follows the readings for a while.
    void pointerOverIcon();
    // Where the notices of the last day stand on the trend window's charts.
    const std::vector<features::ChartMark>& marks() const { return marks_; }

private:
    void showLoad(const monitor::Readings& readings);
    void showPlain();
    void mark(features::AlertRule rule);
    // Notices due in the same check, told together.
    void tell(const std::vector<features::CombinedNotice>& notices);

    const settings::LiveSettings& live_;
    const features::ReadingsHistory& history_;
    TrayIcon& tray_;
    features::BusiestProcesses& busiest_;
    features::Alerts alerts_;
    features::SourceAlerts sourceAlerts_;
    std::vector<features::ChartMark> marks_;
    std::optional<std::uint32_t> checkedAt_;
    std::int64_t steadyMs_ = 0;
    HICON plainIcon_ = nullptr;
    std::wstring plainTip_;
    // What the tray shows of the load now; none while it shows the plain icon.
    std::optional<LoadBars> shownBars_;
    std::wstring shownTip_;
    // The tooltip follows the readings only while the pointer was over the icon lately: each
    // change of it is a message to the shell.
    std::optional<std::uint32_t> pointerSeenAt_;
    const monitor::Readings* latest_ = nullptr;  // the refresh cycle's, which outlives this
    // The bars to draw: each second's mean load, begun at `meanSince_`.
    LoadMean loadMean_;
    std::optional<std::uint32_t> meanSince_;
    LoadBars bars_;
    win32::UniqueIcon loadIcon_;
};

}  // namespace ui
