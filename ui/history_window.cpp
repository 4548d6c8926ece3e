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
constexpr int kBarHeight = 24, kAxisWidth = 92, kLineHeight = 15;
constexpr int kTotalsDays = 31;
// The longest amount a day can show, for the width of the totals' columns.
constexpr std::int64_t kWidestAmount = 1023LL << 40;
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

std::wstring bothWays(const features::ByteTotals& b) {
    return L"受 " + features::amountText(b.received) + L" 送 " + features::amountText(b.sent);
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

    // The totals take the lines they need at this width; the charts share what is left.
    const Totals totals = layOutTotals(dc, client.right);
    const int totalsHeight = totals.lines * s.px(kLineHeight) + s.px(8);
    const int chartsTop = s.px(kBarHeight);
    const int chartsBottom =
        std::max<int>(client.bottom - totalsHeight - s.px(kLineHeight), chartsTop);
    RECT charts{0, chartsTop, client.right, chartsBottom};
    const int each = (charts.bottom - charts.top) / 4;
    const wchar_t* titles[] = {L"CPU", L"メモリ", L"受信", L"送信"};
    for (int f = 0; f < 4; ++f) {
        RECT box{charts.left, charts.top + f * each, charts.right, charts.top + (f + 1) * each};
        paintChart(dc, box, f, titles[f], f >= 2);
    }
    paintTimeAxis(dc, charts);
    paintReadout(dc, charts);
    paintTotals(dc, {0, chartsBottom + s.px(kLineHeight), client.right, client.bottom}, totals);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

RECT HistoryWindow::plotOf(const RECT& box) const {
    const base::DpiScale s = scale();
    return {box.left + s.px(kAxisWidth), box.top + s.px(4), box.right - s.px(6),
            box.bottom - s.px(4)};
}

void HistoryWindow::paintChart(HDC dc, const RECT& box, int field, const wchar_t* title,
                               bool rate) {
    const base::DpiScale s = scale();
    const RECT frame = plotOf(box);
    // The line runs inside the frame, never over it.
    const RECT plot{frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
    const int width = plot.right - plot.left, height = plot.bottom - plot.top;
    if (width <= 0 || height <= 0) return;
    HPEN grid = CreatePen(PS_SOLID, 1, kGrid);
    HGDIOBJ oldPen = SelectObject(dc, grid);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);

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
        int y = plot.bottom - 1 -
                static_cast<int>(std::lround(std::min(columns[c] / top, 1.0) * (height - 1)));
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
    text(dc, box.left + s.px(4), frame.top, title);
    text(dc, box.left + s.px(4), frame.top + s.px(kLineHeight), topText);
    text(dc, box.left + s.px(4), frame.bottom - s.px(kLineHeight), L"0");
}

// The clock times at both ends of the span under the charts, and the middle one.
void HistoryWindow::paintTimeAxis(HDC dc, const RECT& charts) {
    const RECT plot = plotOf(charts);
    if (plot.right <= plot.left) return;
    const platform::LocalTime& t = history_.newestTime();
    const int now = t.hour * 3600 + t.minute * 60 + t.second;
    const int spanSeconds = static_cast<int>(features::kHistorySpans[span_].seconds);
    const int y = charts.bottom;
    SIZE size{};
    const std::wstring sample = clock(0);
    GetTextExtentPoint32W(dc, sample.c_str(), static_cast<int>(sample.size()), &size);
    text(dc, plot.left, y, clock(now - spanSeconds + 1));
    text(dc, (plot.left + plot.right - size.cx) / 2, y, clock(now - spanSeconds / 2));
    text(dc, plot.right - size.cx, y, clock(now));
}

void HistoryWindow::paintReadout(HDC dc, const RECT& charts) {
    const base::DpiScale s = scale();
    const RECT plot = plotOf(charts);
    const int left = plot.left + 1, right = plot.right - 1;
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

namespace {

std::wstring dayLine(const features::DayTotals& row) {
    features::CivilDate d = features::dateOf(row.day);
    wchar_t date[16];
    swprintf(date, 16, L"%02d/%02d ", d.month, d.day);
    return date + bothWays(row.bytes);
}

}  // namespace

// As many columns of days as fit the width of the widest line the totals can have.
HistoryWindow::Totals HistoryWindow::layOutTotals(HDC dc, int width) const {
    const base::DpiScale s = scale();
    const std::wstring widest = dayLine({0, {kWidestAmount, kWidestAmount}});
    SIZE size{};
    GetTextExtentPoint32W(dc, widest.c_str(), static_cast<int>(widest.size()), &size);
    Totals totals;
    totals.columnWidth = size.cx + s.px(16);
    totals.columns =
        std::clamp((width - s.px(6)) / std::max<int>(totals.columnWidth, 1), 1, kTotalsDays);
    totals.perColumn = (kTotalsDays + totals.columns - 1) / totals.columns;
    // The month's sums, and the notice when nothing is saved.
    totals.lines = totals.perColumn + 1 + (history_.fileWritable() ? 0 : 1);
    return totals;
}

void HistoryWindow::paintTotals(HDC dc, const RECT& box, const Totals& totals) {
    const base::DpiScale s = scale();
    std::vector<features::DayTotals> rows =
        features::lastDays(history_.days(), history_.today(), kTotalsDays);
    const int left = box.left + s.px(6), top = box.top + s.px(4), line = s.px(kLineHeight);
    for (size_t i = 0; i < rows.size(); ++i) {
        int col = static_cast<int>(i) / totals.perColumn,
            row = static_cast<int>(i) % totals.perColumn;
        text(dc, left + col * totals.columnWidth, top + row * line, dayLine(rows[i]));
    }
    features::MonthSums sums = features::monthSums(history_.days(), history_.today());
    text(dc, left, top + totals.perColumn * line,
         L"今月 " + bothWays(sums.thisMonth) + L"    先月 " + bothWays(sums.lastMonth));
    // The user must know that what is counted now will not survive an exit.
    if (!history_.fileWritable())
        text(dc, left, top + (totals.perColumn + 1) * line,
             std::wstring(features::kTrafficFileName) +
                 L" を読み込めないため、この記録は保存されません");
}

}  // namespace ui
