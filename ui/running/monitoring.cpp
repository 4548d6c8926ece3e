#include "ui/running/monitoring.h"

namespace ui {
namespace {

render::Colour systemColour(int index) { return static_cast<render::Colour>(GetSysColor(index)); }

}  // namespace

Monitoring::Monitoring(settings::LiveSettings& live, const monitor::PageTexts& pages,
                       monitor::SampleSources sources, win32::GdiTextPainter& painter,
                       win32::ListPresenter& presenter, TimerService& timers)
    : live_(live),
      refreshTimer_(timers.make([this] {
          cycle_.refreshTick();
          announceReadings();
          if (recordHistory_) recordHistory_(cycle_.readings());
      })),
      driveListTimer_(timers.make([this] { cycle_.rebuildDriveList(); })),
      painter_(painter),
      presenter_(presenter),
      cycle_(monitor::Sources{sources, painter, systemColour}, live, pages, images_, strips_,
             *this) {}

void Monitoring::prepare(platform::Dialogs& dialogs) {
    cycle_.fillAdapterChoice();
    cycle_.rebuildDriveList();
    cycle_.paintStrips();
    cycle_.readAdapters(dialogs);
}

void Monitoring::attach(MainWindow& main, TaskbarWindow& taskbar) {
    main_ = &main;
    taskbar_ = &taskbar;
    rescale(main.dpi());
    main.onDpiChanged = [this](int dpi) { rescale(dpi); };
    setListBackground(live_.settings.colours[settings::kBackgroundColour]);
}

void Monitoring::start() {
    const settings::Settings& s = live_.settings;
    refreshTimer_.start(settings::millisecondsOfTenths(s.refreshIntervalTenths));
    driveListTimer_.start(settings::millisecondsOfSeconds(s.driveRefreshSeconds));
    live_.notices.subscribe([this](const settings::Change& change) { followSettings(change); });
}

void Monitoring::followSettings(const settings::Change& change) {
    const settings::Settings& s = live_.settings;
    if (change.names(&s.refreshIntervalTenths))
        refreshTimer_.start(settings::millisecondsOfTenths(s.refreshIntervalTenths));
    else if (change.names(&s.driveRefreshSeconds))
        driveListTimer_.start(settings::millisecondsOfSeconds(s.driveRefreshSeconds));
}

// The readings the options window shows, announced when they differ from the last tick's.
void Monitoring::announceReadings() {
    const monitor::Readings& r = cycle_.readings();
    if (r.intervalLabel != announcedInterval_) {
        announcedInterval_ = r.intervalLabel;
        live_.notices.publish(settings::Topic::MeasuredInterval);
    }
    if (r.clipboardText != announcedClipboard_) {
        announcedClipboard_ = r.clipboardText;
        live_.notices.publish(settings::Topic::ClipboardText);
    }
}

void Monitoring::present(const render::Image&, int y,
                         const std::optional<render::MainWindowSize>& size, int drawMode) {
    if (!main_ || !main_->hwnd()) return;
    HWND window = main_->hwnd();
    if (size) {
        // The window's scale height is the list's height from now on, and is saved as such.
        sizedScaleHeight_ = size->scaleHeight;
        // The client area takes the list: 158 columns, y rows.
        main_->setClientSize({images_.metrics.listWidth, size->scaleHeight});
    }
    presentedHeight_ = y;
    presentedDrawMode_ = drawMode;
    // Straight into the client area, only what changed since the last tick. Whatever the
    // window system lays bare (exposure, a new size) stays invalid, and WM_PAINT draws it whole.
    RECT client;
    GetClientRect(window, &client);
    const settings::Settings& s = live_.settings;
    if (!presenter_.changed(
            images_.list, y, drawMode == settings::kScalableWindow, client.right - client.left,
            client.bottom - client.top,
            render::resolveColour(s.colours[settings::kBackgroundColour], systemColour)))
        return;
    if (HDC dc = GetDC(window)) {
        draw(dc, client, false);
        main_->drawFocus(dc);  // a row drawn again covers it
        ReleaseDC(window, dc);
    }
}

// The stretch reads one column more than the rows cover; that column shows the list's own
// background, which is the main window's.
void Monitoring::setListBackground(std::int32_t colour) {
    images_.list.setBackground(render::resolveColour(colour, systemColour));
}

void Monitoring::setGraphBackground(std::int32_t colour) {
    render::setGraphBackground(images_, render::resolveColour(colour, systemColour));
}

void Monitoring::paint(HDC dc, const RECT& client) { draw(dc, client, true); }

RECT Monitoring::rowRect(const monitor::ShownRow& row) const {
    RECT client{};
    if (main_ && main_->hwnd()) GetClientRect(main_->hwnd(), &client);
    const base::DpiScale& s = images_.metrics.scale;
    int top = s.px(row.top), bottom = s.px(row.top + row.height);
    if (presentedDrawMode_ == settings::kScalableWindow && presentedHeight_ > 0) {
        top = MulDiv(top, client.bottom, presentedHeight_);
        bottom = MulDiv(bottom, client.bottom, presentedHeight_);
    }
    return {0, top, client.right, bottom};
}

void Monitoring::rescale(int dpi) {
    painter_.setDpi(dpi);
    cycle_.rescale(base::DpiScale{dpi});
    setListBackground(live_.settings.colours[settings::kBackgroundColour]);
    if (main_ && main_->hwnd()) InvalidateRect(main_->hwnd(), nullptr, FALSE);
}

void Monitoring::draw(HDC dc, const RECT& client, bool whole) {
    const settings::Settings& s = live_.settings;
    presenter_.present(dc, images_.list, presentedHeight_, presentedDrawMode_ == 0,
                       client.right - client.left, client.bottom - client.top,
                       render::resolveColour(s.colours[settings::kBackgroundColour], systemColour),
                       whole);
}

void Monitoring::setTaskbarCaption(const std::wstring& caption) {
    // Asking the window for its caption costs a request to the window system on every tick;
    // the caption last set is known here.
    if (!taskbar_ || caption == lastCaption_) return;
    taskbar_->setCaption(caption);
    lastCaption_ = caption;
}

}  // namespace ui
