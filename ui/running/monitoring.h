#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "monitor/page_texts.h"
#include "monitor/refresh_cycle.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/win32/gdi_text_painter.h"
#include "platform/win32/list_presenter.h"
#include "render/gradient.h"
#include "render/graph.h"
#include "render/render_state.h"
#include "settings/live_settings.h"
#include "ui/main_window.h"
#include "ui/taskbar_window.h"
#include "ui/timer_service.h"

namespace ui {

// The live monitoring: the monitor state, the images and the system sources of the refresh
// cycle, and where each tick's result goes (the main window and the taskbar button).
class Monitoring : public monitor::Presenter {
public:
    // The page texts are the fetches'; the refresh cycle shows them.
    // The services come from the program's one set: what a tick samples, the painter of the
    // rows' texts and the presenter of the list in the window.
    Monitoring(settings::LiveSettings& live, const monitor::PageTexts& pages,
               monitor::SampleSources sources, win32::GdiTextPainter& painter,
               win32::ListPresenter& presenter, TimerService& timers);

    const monitor::ValueTexts& valueTexts() const { return cycle_.valueTexts(); }
    // Every refresh tick's readings go to `record`; the readings a history keeps are then
    // taken at least once a second, shown or not.
    void feedHistory(std::function<void(const monitor::Readings&)> record) {
        recordHistory_ = std::move(record);
        cycle_.keepHistoryReadings(true);
    }
    const monitor::Readings& readings() const { return cycle_.readings(); }
    // The rows the last tick composed, in words, and where a row lies in the main window's
    // client area as presented (copied or stretched).
    std::vector<monitor::ShownRow> shownRows() const { return cycle_.shownRows(); }
    RECT rowRect(const monitor::ShownRow& row) const;
    // Where each tick takes the readings of other programs from.
    void readSourcesWith(monitor::RefreshCycle::SourceReader reader) {
        cycle_.readSourcesWith(std::move(reader));
    }

    // Start-up: interfaces into the adapter choice, the host's adapter list, the drive list and
    // the bar strips, in that order.
    void prepare(platform::Dialogs& dialogs);
    // Start-up: the windows the ticks draw into, then the refresh tick and the drive list
    // upkeep at the intervals of their settings, which they follow from then on.
    void attach(MainWindow& main, TaskbarWindow& taskbar);
    void start();
    // The main window's WM_PAINT: the last composed list, one copy or stretch.
    void paint(HDC dc, const RECT& client);
    // Setting changes that act on the images at once.
    void restartGraph() { render::restartGraph(images_); }
    void requestResize() { images_.resizePending = true; }
    void setGraphBackground(std::int32_t colour);
    void setListBackground(std::int32_t colour);
    void repaintBars() { cycle_.paintBars(); }
    render::BarStrips& strips() { return strips_; }
    // The height in pixels of the last composed list.
    int listHeight() const { return images_.listHeight; }
    // The scale height the refresh cycle last sized the window to; none before it first did.
    std::optional<int> sizedScaleHeight() const { return sizedScaleHeight_; }
    // The height the next tick's list will have: the window's height before the first tick.
    int upcomingListHeight() const { return cycle_.upcomingListHeight(); }
    // The list's width, the main window's client width, at the window's DPI.
    int listWidth() const { return images_.metrics.listWidth; }
    // The list drawn at another DPI from the next tick on (attach takes the main window's).
    void rescale(int dpi);

    void present(const render::Image& list, int y,
                 const std::optional<render::MainWindowSize>& size, int drawMode) override;
    void setTaskbarCaption(const std::wstring& caption) override;

private:
    // The last composed list into the client area: whole, or only what changed since the last
    // tick's drawing.
    void draw(HDC dc, const RECT& client, bool whole);
    void announceReadings();

    void followSettings(const settings::Change& change);

    settings::LiveSettings& live_;
    TimerService::Timer refreshTimer_, driveListTimer_;
    render::RenderState images_;
    render::BarStrips strips_;

    win32::GdiTextPainter& painter_;  // draws at the main window's DPI
    win32::ListPresenter& presenter_;
    monitor::RefreshCycle cycle_;
    std::function<void(const monitor::Readings&)> recordHistory_;

    MainWindow* main_ = nullptr;
    TaskbarWindow* taskbar_ = nullptr;
    int presentedHeight_ = 0;
    int presentedDrawMode_ = 1;
    std::optional<int> sizedScaleHeight_;
    std::wstring announcedInterval_, announcedClipboard_;
    std::wstring lastCaption_;  // the taskbar button's caption as this class last set it
};

}  // namespace ui
