#include "ui/history_window.h"

#include <windowsx.h>

#include <algorithm>

#include "base/texts.h"
#include "features/history_chart.h"
#include "features/history_reading.h"
#include "features/history_view.h"
#include "features/traffic_bars.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/gdi_text_painter.h"
#include "ui/popup_menu.h"

namespace ui {

HistoryWindow::HistoryWindow(const features::ReadingsHistory& history,
                             const settings::Settings& settings, TimerService& timers,
                             platform::ClipboardWriter& clipboard)
    : history_(history),
      settings_(settings),
      clipboard_(clipboard),
      repaintTimer_(timers.make([this] { InvalidateRect(hwnd(), nullptr, FALSE); })) {}

bool HistoryWindow::create(int x, int y, int width, int height) {
    if (!OwnedWindow::create(L"KorvaNT.History", base::text(base::Text::MenuHistory),
                             WS_OVERLAPPEDWINDOW, 0, x, y, width, height))
        return false;
    automation_ =
        std::make_unique<DrawnAutomation>(hwnd(), chartSource_, DrawnAutomation::Kind::Chart);
    return true;
}

std::wstring HistoryWindow::ChartSource::name() const { return features::chartName(window_.span_); }

std::wstring HistoryWindow::ChartSource::value() const {
    const HistoryWindow& w = window_;
    return features::chartSummary(w.history_, w.span_, w.settings_.rateUnit, w.traffic());
}

int HistoryWindow::ChartSource::partCount() const { return features::chartBarCount(window_.span_); }

std::wstring HistoryWindow::ChartSource::partName(int part) const {
    return features::barDescription(window_.traffic(), window_.span_, part);
}

// The bars share the width: a part's place is its slot of the client area.
RECT HistoryWindow::ChartSource::partRect(int part) const {
    RECT client{};
    GetClientRect(window_.hwnd(), &client);
    const int count = std::max(1, partCount());
    return {client.right * part / count, 0, client.right * (part + 1) / count, client.bottom};
}

std::optional<int> HistoryWindow::ChartSource::focusedPart() const {
    if (window_.chosenBar_ < 0 || window_.chosenBar_ >= partCount()) return std::nullopt;
    return window_.chosenBar_;
}

void HistoryWindow::retext() {
    SetWindowTextW(hwnd(), base::text(base::Text::MenuHistory));
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void HistoryWindow::chooseSpan(int span) {
    if (span == span_) return;
    span_ = span;
    chosenBar_ = -1;
    InvalidateRect(hwnd(), nullptr, FALSE);
    if (automation_) automation_->focusMoved();
}

const features::TrafficSummary& HistoryWindow::traffic() const {
    return traffic_.of(history_.days(), history_.today());
}

// The spans: the arrows step through them, 1 to 5 (on the number pad too) choose. Up and down
// walk the bars, Home and End go to the first and the last; Ctrl+C copies the days or months.
// Esc lets go of the bar, or closes the window when none is picked.
void HistoryWindow::onKey(WPARAM key) {
    if (key == 'C' && GetKeyState(VK_CONTROL) < 0) {
        copyShownTraffic();
    } else if (key == VK_LEFT || key == VK_RIGHT) {
        chooseSpan(std::clamp(span_ + (key == VK_RIGHT ? 1 : -1), 0, features::kSpanCount - 1));
    } else if (key >= '1' && key < '1' + features::kSpanCount) {
        chooseSpan(static_cast<int>(key - '1'));
    } else if (key >= VK_NUMPAD1 && key < VK_NUMPAD1 + features::kSpanCount) {
        chooseSpan(static_cast<int>(key - VK_NUMPAD1));
    } else if (key == VK_UP || key == VK_DOWN) {
        // The first step from nowhere lands on today (this month).
        walkBars(chosenBar_ < 0 ? std::nullopt
                                : std::optional<int>(chosenBar_ + (key == VK_DOWN ? 1 : -1)));
    } else if (key == VK_HOME || key == VK_END) {
        walkBars(key == VK_HOME ? 0 : features::chartBarCount(span_) - 1);
    } else if (key == VK_ESCAPE) {
        if (chosenBar_ < 0) {
            ShowWindow(hwnd(), SW_HIDE);
            return;
        }
        chosenBar_ = -1;
        InvalidateRect(hwnd(), nullptr, FALSE);
        if (automation_) automation_->focusMoved();
    }
}

void HistoryWindow::walkBars(std::optional<int> to) {
    const int count = features::chartBarCount(span_);
    if (count == 0) return;
    chosenBar_ = to ? std::clamp(*to, 0, count - 1) : count - 1;
    InvalidateRect(hwnd(), nullptr, FALSE);
    if (automation_) automation_->focusMoved();
}

// The months when they are shown, the days otherwise: the days are what the file holds.
void HistoryWindow::copyShownTraffic() {
    clipboard_.writeText(features::trafficTable(traffic(), span_ == features::kMonthsSpan));
}

void HistoryWindow::open() {
    win32::fitWithinWorkArea(hwnd(), true);
    ShowWindow(hwnd(), SW_SHOWNORMAL);  // a minimised window comes back too
    showInFront(hwnd(), settings_.topmostChoice == settings::kAlwaysOnTop);
}

base::DpiScale HistoryWindow::scale() const { return {win32::dpiOfWindow(hwnd())}; }

LRESULT HistoryWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            ShowWindow(hwnd(), SW_HIDE);
            return 0;
        case WM_SHOWWINDOW:
            // Nothing runs for the window while nobody sees it.
            if (wp) {
                repaintTimer_.start(1000);
            } else {
                repaintTimer_.stop();
                // Nor does it keep its pictures: the next showing draws them afresh.
                image_ = base::Image();
                surface_.release();
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            InvalidateRect(hwnd(), nullptr, FALSE);
            break;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            if (win32::isWorkAreaChange(msg, wp) && IsWindowVisible(hwnd()))
                win32::fitWithinWorkArea(hwnd(), true);
            break;
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, hwnd(), 0};
            TrackMouseEvent(&leave);
            pointerX_ = GET_X_LPARAM(lp);
            pointerY_ = GET_Y_LPARAM(lp);
            chosenBar_ = -1;  // the pointer takes over from the keyboard
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        }
        case WM_MOUSELEAVE:
            pointerX_ = pointerY_ = -1;
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            if (auto span = features::spanButtonAt(scale(), GET_X_LPARAM(lp), GET_Y_LPARAM(lp)))
                chooseSpan(*span);
            return 0;
        case WM_KEYDOWN:
            onKey(wp);
            return 0;
        case WM_GETMINMAXINFO: {
            // The buttons, the totals and a bar's tip whole, whatever a drag asks.
            const int dpi = win32::dpiOfWindow(hwnd());
            const features::PictureSize least = features::historyMinimumClient({dpi});
            RECT r{0, 0, least.width, least.height};
            win32::adjustWindowRectForDpi(r, WS_OVERLAPPEDWINDOW, 0, dpi);
            auto* limits = reinterpret_cast<MINMAXINFO*>(lp);
            limits->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
            return 0;
        }
        case WM_GETOBJECT:
            if (automation_)
                if (std::optional<LRESULT> answer = automation_->answer(wp, lp)) return *answer;
            break;
        case WM_DESTROY:
            automation_.reset();
            break;
        case win32::kDpiChangedMessage: {
            const RECT* r = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            win32::fitWithinWorkArea(hwnd(), true);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            paint(dc);
            EndPaint(hwnd(), &ps);
            return 0;
        }
    }
    return OwnedWindow::handle(msg, wp, lp);
}

// Drawn off-screen and copied once, so the second's repaint never flickers: the picture's
// lines into the image, its texts over them in the row font at the window's DPI.
void HistoryWindow::paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    if (image_.width() != client.right || image_.height() != client.bottom)
        image_.resize(client.right, client.bottom);
    const base::DpiScale s = scale();
    features::HistoryScene scene{span_, settings_.rateUnit, pointerX_,
                                 marks ? marks() : std::vector<features::ChartMark>{}};
    scene.pointerY = pointerY_;
    scene.chosenBar = chosenBar_;
    // Made again only when a day's line changed, not on each repaint.
    scene.traffic = &traffic();
    std::vector<features::PlacedText> texts = features::drawHistory(image_, s, history_, scene);
    if (!surface_.reserve(image_.width(), image_.height())) return;
    surface_.load(image_);
    if (!font_ || fontDpi_ != s.dpi) {
        font_ = win32::createRowFont(s.dpi);
        fontDpi_ = s.dpi;
    }
    HGDIOBJ oldFont = SelectObject(surface_.dc(), font_.get());
    SetBkMode(surface_.dc(), TRANSPARENT);
    SetTextColor(surface_.dc(), RGB(0, 0, 0));
    for (const features::PlacedText& t : texts)
        TextOutW(surface_.dc(), t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
    SelectObject(surface_.dc(), oldFont);
    BitBlt(dc, 0, 0, client.right, client.bottom, surface_.dc(), 0, 0, SRCCOPY);
}

}  // namespace ui
