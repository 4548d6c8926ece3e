#include "ui/history_window.h"

#include <windowsx.h>

#include <algorithm>

#include "base/texts.h"
#include "features/history_chart.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/gdi_text_painter.h"
#include "ui/popup_menu.h"

namespace ui {

HistoryWindow::HistoryWindow(const features::ReadingsHistory& history,
                             const settings::Settings& settings, TimerService& timers)
    : history_(history),
      settings_(settings),
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
    InvalidateRect(hwnd(), nullptr, FALSE);
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
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        }
        case WM_MOUSELEAVE:
            pointerX_ = -1;
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            if (auto span = features::spanButtonAt(scale(), GET_X_LPARAM(lp), GET_Y_LPARAM(lp)))
                chooseSpan(*span);
            return 0;
        case WM_KEYDOWN:
            // The spans from the keyboard too: the arrows step, 1 to 3 choose.
            if (wp == VK_LEFT || wp == VK_RIGHT)
                chooseSpan(std::clamp(span_ + (wp == VK_RIGHT ? 1 : -1), 0, 2));
            else if (wp >= '1' && wp <= '3')
                chooseSpan(static_cast<int>(wp - '1'));
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
    std::vector<features::PlacedText> texts =
        features::drawHistory(image_, s, history_,
                              {span_, settings_.rateUnit, pointerX_,
                               marks ? marks() : std::vector<features::ChartMark>{}});
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
