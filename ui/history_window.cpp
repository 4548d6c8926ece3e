#include "ui/history_window.h"

#include <windowsx.h>

#include <algorithm>

#include "base/texts.h"
#include "features/history_chart.h"
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
    return OwnedWindow::create(L"KorvaNT.History", base::text(base::Text::MenuHistory),
                               WS_OVERLAPPEDWINDOW, 0, x, y, width, height);
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
}

const features::TrafficSummary& HistoryWindow::traffic() {
    return traffic_.of(history_.days(), history_.today());
}

// The spans: the arrows step through them, 1 to 5 choose. Up and down walk the bars, Home and
// End go to the first and the last; Ctrl+C copies the days or months.
void HistoryWindow::onKey(WPARAM key) {
    if (key == 'C' && GetKeyState(VK_CONTROL) < 0) {
        copyShownTraffic();
    } else if (key == VK_LEFT || key == VK_RIGHT) {
        chooseSpan(std::clamp(span_ + (key == VK_RIGHT ? 1 : -1), 0, features::kSpanCount - 1));
    } else if (key >= '1' && key < '1' + features::kSpanCount) {
        chooseSpan(static_cast<int>(key - '1'));
    } else if (key == VK_UP || key == VK_DOWN) {
        walkBars(key == VK_DOWN ? 1 : -1);
    } else if (key == VK_HOME || key == VK_END) {
        walkBars(key == VK_END ? features::TrafficSummary::kDays
                               : -features::TrafficSummary::kDays);
    } else if (key == VK_ESCAPE) {
        chosenBar_ = -1;
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void HistoryWindow::walkBars(int step) {
    if (!features::isTrafficSpan(span_)) return;
    const int count = features::barCount(span_ == features::kMonthsSpan);
    // The first step from nowhere lands on today (this month).
    chosenBar_ = chosenBar_ < 0 ? count - 1 : std::clamp(chosenBar_ + step, 0, count - 1);
    InvalidateRect(hwnd(), nullptr, FALSE);
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
