#include "ui/history_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "features/history_view.h"
#include "monitor/row_format.h"
#include "platform/win32/dpi_win32.h"

namespace ui {
namespace {

// Designed at 96 DPI.
constexpr int kBarHeight = 24, kAxisWidth = 92, kLineHeight = 15, kTotalsRows = 10;
constexpr COLORREF kBack = RGB(255, 255, 255), kGrid = RGB(208, 208, 208), kInk = RGB(0, 0, 0);
constexpr COLORREF kLines[] = {RGB(0, 96, 192), RGB(0, 144, 64), RGB(192, 64, 0), RGB(128, 0, 160)};

float fieldOf(const features::HistorySample& s, int field) {
    const float values[] = {s.cpuPercent, s.memoryPercent, s.receivedPerSecond, s.sentPerSecond};
    return values[field];
}

void text(HDC dc, int x, int y, const std::wstring& s) {
    TextOutW(dc, x, y, s.c_str(), static_cast<int>(s.size()));
}

std::wstring clock(int secondOfDay) {
    wchar_t buffer[16];
    secondOfDay = ((secondOfDay % 86400) + 86400) % 86400;
    swprintf(buffer, 16, L"%02d:%02d:%02d", secondOfDay / 3600, secondOfDay / 60 % 60,
             secondOfDay % 60);
    return buffer;
}

}  // namespace

HistoryWindow::HistoryWindow(const features::ReadingsHistory& history,
                             const settings::Settings& settings, TimerService& timers)
    : history_(history),
      settings_(settings),
      repaintTimer_(timers.make([this] { InvalidateRect(hwnd(), nullptr, FALSE); })) {}

bool HistoryWindow::create(int x, int y, int width, int height) {
    return OwnedWindow::create(L"KorvaNT.History", L"履歴グラフ", WS_OVERLAPPEDWINDOW, 0, x, y,
                               width, height);
}

void HistoryWindow::open() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
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
        case WM_LBUTTONDOWN: {
            POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            for (int i = 0; i < 3; ++i)
                if (PtInRect(&spanButtons_[i], at)) span_ = i;
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        }
        case win32::kDpiChangedMessage: {
            const RECT* r = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            RECT client;
            GetClientRect(hwnd(), &client);
            // Drawn off-screen and copied once, so the second's repaint never flickers.
            HDC memory = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1),
                                                    std::max<LONG>(client.bottom, 1));
            HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
            paint(memory, client);
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, oldBitmap);
            DeleteObject(bitmap);
            DeleteDC(memory);
            EndPaint(hwnd(), &ps);
            return 0;
        }
    }
    return OwnedWindow::handle(msg, wp, lp);
}

void HistoryWindow::paint(HDC dc, const RECT& client) {
    const base::DpiScale s = scale();
    HBRUSH back = CreateSolidBrush(kBack);
    FillRect(dc, &client, back);
    DeleteObject(back);
    HFONT font = CreateFontW(-s.px(12), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             CLEARTYPE_QUALITY, FIXED_PITCH, L"MS Gothic");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kInk);

    int x = s.px(6);
    for (int i = 0; i < 3; ++i) {
        spanButtons_[i] = {x, s.px(3), x + s.px(64), s.px(kBarHeight - 3)};
        HBRUSH fill = CreateSolidBrush(i == span_ ? RGB(200, 220, 255) : RGB(236, 236, 236));
        FillRect(dc, &spanButtons_[i], fill);
        DeleteObject(fill);
        RECT label = spanButtons_[i];
        DrawTextW(dc, features::kHistorySpans[i].label, -1, &label,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        x += s.px(70);
    }

    const int totalsHeight = s.px(kLineHeight * kTotalsRows + 6);
    RECT charts{0, s.px(kBarHeight), client.right,
                std::max(client.bottom - totalsHeight, static_cast<LONG>(s.px(kBarHeight)))};
    const int each = (charts.bottom - charts.top) / 4;
    const wchar_t* titles[] = {L"CPU", L"メモリ", L"受信", L"送信"};
    for (int f = 0; f < 4; ++f) {
        RECT box{charts.left, charts.top + f * each, charts.right, charts.top + (f + 1) * each};
        paintChart(dc, box, f, titles[f], f >= 2);
    }
    paintReadout(dc, charts);
    paintTotals(dc, {0, charts.bottom, client.right, client.bottom});
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void HistoryWindow::paintChart(HDC dc, const RECT& box, int field, const wchar_t* title,
                               bool rate) {
    const base::DpiScale s = scale();
    const RECT plot{box.left + s.px(kAxisWidth), box.top + s.px(4), box.right - s.px(6),
                    box.bottom - s.px(4)};
    const int width = plot.right - plot.left, height = plot.bottom - plot.top;
    if (width <= 0 || height <= 0) return;
    HPEN grid = CreatePen(PS_SOLID, 1, kGrid);
    HGDIOBJ oldPen = SelectObject(dc, grid);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, plot.left, plot.top, plot.right, plot.bottom);

    // One value per pixel column: the mean of the seconds it covers.
    const features::HistoryRing& ring = history_.ring();
    const std::int64_t spanSeconds = features::kHistorySpans[span_].seconds;
    const std::int64_t first = ring.newestSecond() - spanSeconds + 1;
    std::vector<float> columns(static_cast<size_t>(width), NAN);
    float peak = 0;
    for (int c = 0; c < width && !ring.empty(); ++c) {
        std::int64_t from = first + spanSeconds * c / width;
        std::int64_t to = std::max(from + 1, first + spanSeconds * (c + 1) / width);
        double sum = 0;
        int n = 0;
        for (std::int64_t sec = from; sec < to; ++sec)
            if (auto sample = ring.at(sec); sample && !std::isnan(fieldOf(*sample, field))) {
                float v = fieldOf(*sample, field);
                sum += rate ? features::inListUnit(v, settings_.rateUnit) : v;
                ++n;
            }
        if (n == 0) continue;
        columns[c] = static_cast<float>(sum / n);
        peak = std::max(peak, columns[c]);
    }
    const double top = rate ? features::rateAxisTop(peak) : 100.0;

    HPEN line = CreatePen(PS_SOLID, std::max(1, s.px(1)), kLines[field]);
    SelectObject(dc, line);
    bool drawing = false;
    for (int c = 0; c < width; ++c) {
        if (std::isnan(columns[c])) {
            drawing = false;  // a gap stays a gap
            continue;
        }
        int y = plot.bottom - 1 - static_cast<int>(std::lround(columns[c] / top * (height - 1)));
        if (drawing) {
            LineTo(dc, plot.left + c, y);
        } else {
            MoveToEx(dc, plot.left + c, y, nullptr);
            LineTo(dc, plot.left + c + 1, y);
        }
        drawing = true;
    }
    SelectObject(dc, oldPen);
    DeleteObject(line);
    DeleteObject(grid);

    std::wstring topText =
        rate ? monitor::rateText(static_cast<std::int64_t>(top), settings_.rateUnit) : L"100%";
    text(dc, box.left + s.px(4), plot.top, title);
    text(dc, box.left + s.px(4), plot.top + s.px(kLineHeight), topText);
    text(dc, box.left + s.px(4), plot.bottom - s.px(kLineHeight), L"0");
}

void HistoryWindow::paintReadout(HDC dc, const RECT& charts) {
    const base::DpiScale s = scale();
    const int left = charts.left + s.px(kAxisWidth), right = charts.right - s.px(6);
    const features::HistoryRing& ring = history_.ring();
    if (pointerX_ < left || pointerX_ >= right || ring.empty()) return;
    const std::int64_t spanSeconds = features::kHistorySpans[span_].seconds;
    const std::int64_t back =
        spanSeconds - 1 - spanSeconds * (pointerX_ - left) / std::max(1, right - left);
    HPEN pen = CreatePen(PS_DOT, 1, kInk);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, pointerX_, charts.top, nullptr);
    LineTo(dc, pointerX_, charts.bottom);
    SelectObject(dc, oldPen);
    DeleteObject(pen);

    const platform::LocalTime& t = history_.newestTime();
    std::wstring line = clock(t.hour * 3600 + t.minute * 60 + t.second - static_cast<int>(back));
    if (auto sample = ring.at(ring.newestSecond() - back)) {
        auto part = [&](float v, bool rate) -> std::wstring {
            if (std::isnan(v)) return L"-";
            if (!rate) return std::to_wstring(std::lround(v)) + L"%";
            return monitor::rateText(std::llround(features::inListUnit(v, settings_.rateUnit)),
                                     settings_.rateUnit);
        };
        line += L"  CPU " + part(sample->cpuPercent, false) + L"  メモリ " +
                part(sample->memoryPercent, false) + L"  受信 " +
                part(sample->receivedPerSecond, true) + L"  送信 " +
                part(sample->sentPerSecond, true);
    }
    text(dc, s.px(6) + s.px(70) * 3, s.px(5), line);
}

void HistoryWindow::paintTotals(HDC dc, const RECT& box) {
    const base::DpiScale s = scale();
    const render::NumberSymbols symbols{L",", L"."};
    const features::TrafficDays& days = history_.days();
    const features::Day today = history_.today();
    auto both = [&](const features::ByteTotals& b) {
        return L"受 " + monitor::totalText(b.received, symbols) + L" 送 " +
               monitor::totalText(b.sent, symbols);
    };
    std::vector<features::DayTotals> rows = features::lastDays(days, today, 31);
    const int columns = 4, perColumn = (static_cast<int>(rows.size()) + columns - 1) / columns;
    const int columnWidth = (box.right - box.left) / columns;
    for (size_t i = 0; i < rows.size(); ++i) {
        features::CivilDate d = features::dateOf(rows[i].day);
        wchar_t date[16];
        swprintf(date, 16, L"%02d/%02d ", d.month, d.day);
        int col = static_cast<int>(i) / perColumn, row = static_cast<int>(i) % perColumn;
        text(dc, box.left + s.px(6) + col * columnWidth,
             box.top + s.px(4) + row * s.px(kLineHeight), date + both(rows[i].bytes));
    }
    features::MonthSums sums = features::monthSums(days, today);
    text(dc, box.left + s.px(6), box.top + s.px(4) + perColumn * s.px(kLineHeight),
         L"今月 " + both(sums.thisMonth) + L"    先月 " + both(sums.lastMonth));
    // The user must know that what is counted now will not survive an exit.
    if (!history_.fileWritable())
        text(dc, box.left + s.px(6), box.top + s.px(4) + (perColumn + 1) * s.px(kLineHeight),
             std::wstring(features::kTrafficFileName) +
                 L" を読み込めないため、この記録は保存されません");
}

}  // namespace ui
