#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/dpi_scale.h"
#include "features/history_chart.h"
#include "features/readings_history.h"
#include "features/traffic_summary.h"
#include "platform/clipboard_writer.h"
#include "platform/win32/dib_surface.h"
#include "platform/win32/owned_window.h"
#include "settings/live_settings.h"
#include "ui/drawn_automation.h"
#include "ui/timer_service.h"

namespace ui {

// "履歴グラフ": the four readings over one time axis, or the traffic's days or months as bars, and
// the months' totals. Its close box hides it; it repaints once a second while shown and does
// nothing while hidden.
class HistoryWindow : public win32::OwnedWindow {
public:
    HistoryWindow(const features::ReadingsHistory& history, const settings::Settings& settings,
                  TimerService& timers, platform::ClipboardWriter& clipboard);
    bool create(int x, int y, int width, int height);
    void open();
    // Its title and charts in the current language.
    void retext();
    // The notices told so far, marked on their charts.
    std::function<std::vector<features::ChartMark>()> marks;

protected:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void chooseSpan(int span);
    void onKey(WPARAM key);
    // The keyboard's bar to `to` (kept within the bars), or to the last from nowhere.
    void walkBars(std::optional<int> to);
    void copyShownTraffic();
    const features::TrafficSummary& traffic() const;
    void paint(HDC dc);
    base::DpiScale scale() const;

    const features::ReadingsHistory& history_;
    const settings::Settings& settings_;
    platform::ClipboardWriter& clipboard_;
    mutable features::TrafficSummaryCache traffic_;  // made again only when a day changed
    TimerService::Timer repaintTimer_;
    int span_ = 0;       // index into the spans
    int pointerX_ = -1;  // the pointer over the window; -1 when it is elsewhere
    int pointerY_ = -1;
    int chosenBar_ = -1;  // the bar the keyboard walked to; -1: none
    base::Image image_;
    win32::DibSurface surface_;
    win32::UniqueGdiObject font_;
    int fontDpi_ = 0;
    // The chart for screen readers: its bars as parts, the picked one focused.
    class ChartSource : public AutomationSource {
    public:
        explicit ChartSource(const HistoryWindow& window) : window_(window) {}
        std::wstring name() const override;
        std::wstring value() const override;
        int partCount() const override;
        std::wstring partName(int part) const override;
        std::wstring partValue(int) const override { return {}; }
        RECT partRect(int part) const override;
        std::optional<int> focusedPart() const override;

    private:
        const HistoryWindow& window_;
    };
    ChartSource chartSource_{*this};
    std::unique_ptr<DrawnAutomation> automation_;
};

}  // namespace ui
