#include "ui/main_window.h"

#include <climits>

#include "base/texts.h"
#include "platform/win32/dpi_win32.h"

namespace ui {
namespace {

// What the window looks like: a one-pixel border around the list.
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
// The system sizes only a window with a sizing frame; the frame is kept to the one-pixel border
// (WM_NCCALCSIZE, WM_NCPAINT), so the window looks and measures as kStyle says.
constexpr DWORD kSizableStyle = kStyle | WS_THICKFRAME;

SIZE outerSizeFor(ClientSize client, int dpi) {
    RECT r{0, 0, client.width, client.height};
    win32::adjustWindowRectForDpi(r, kStyle, kExStyle, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

// The hit-test codes of the edges, for the window system's sizing cursors.
LRESULT hitCodeOf(SizingEdge edge) {
    switch (edge) {
        case SizingEdge::Left:
            return HTLEFT;
        case SizingEdge::Right:
            return HTRIGHT;
        case SizingEdge::Top:
            return HTTOP;
        case SizingEdge::TopLeft:
            return HTTOPLEFT;
        case SizingEdge::TopRight:
            return HTTOPRIGHT;
        case SizingEdge::Bottom:
            return HTBOTTOM;
        case SizingEdge::BottomLeft:
            return HTBOTTOMLEFT;
        case SizingEdge::BottomRight:
            return HTBOTTOMRIGHT;
        case SizingEdge::None:
            break;
    }
    return HTCLIENT;
}

bool isSizingCode(WPARAM code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

// The client rectangle inside a window rectangle: the border of kStyle only.
void insetByBorder(RECT& r, int dpi) {
    RECT frame{0, 0, 0, 0};
    win32::adjustWindowRectForDpi(frame, kStyle, kExStyle, dpi);
    r.left -= frame.left;
    r.top -= frame.top;
    r.right -= frame.right;
    r.bottom -= frame.bottom;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
}

}  // namespace

bool MainWindow::create(HWND owner, int x, int y, ClientSize client) {
    SIZE outer = outerSizeFor(client, win32::dpiAt({x, y}));
    if (!WindowBase::create(L"KorvaNT.Main", L"", kStyle, kExStyle, x, y, outer.cx, outer.cy))
        return false;
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    return true;
}

int MainWindow::dpi() const { return win32::dpiOfWindow(hwnd()); }

void MainWindow::startDrag() {
    ReleaseCapture();
    if (resizable_) {
        // A window with a sizing frame moves by the system's own loop.
        SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return;
    }
    // Without one the window follows the pointer itself: the system's loop activates the window
    // it moves, and Wine then maps it afresh as a managed window, which ends the drag.
    const DWORD at = GetMessagePos();  // the press, however far the pointer went since
    RECT r{};
    if (!GetWindowRect(hwnd(), &r)) return;
    SetCapture(hwnd());
    dragPointer_ = POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    dragWindow_ = {r.left, r.top};
}

// To where the pointer was when the message in hand was sent: moves and the release come in
// order, even while the window lags behind the pointer.
void MainWindow::followDrag() {
    const DWORD at = GetMessagePos();
    const POINT pointer{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    SetWindowPos(hwnd(), nullptr, dragWindow_.x + pointer.x - dragPointer_->x,
                 dragWindow_.y + pointer.y - dragPointer_->y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::setResizable(bool on) {
    resizable_ = on;
    if (!hwnd()) return;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE));
    const DWORD wanted = on ? (style | WS_THICKFRAME) : (style & ~DWORD{WS_THICKFRAME});
    if (wanted == style) return;
    SetWindowLongPtrW(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(wanted));
    RECT r{};
    GetWindowRect(hwnd(), &r);
    // The frame is drawn as the same one-pixel border either way: the size stays as it is.
    sizingByProgram_ = true;
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    sizingByProgram_ = false;
}

void MainWindow::setClientSize(ClientSize client) {
    SIZE outer = outerSizeFor(client, dpi());
    RECT current{};
    GetWindowRect(hwnd(), &current);
    // Fixed-size mode asks on every tick.
    if (current.right - current.left != outer.cx || current.bottom - current.top != outer.cy) {
        // A list that grows at the screen's edge pushes the window back inside; one a person
        // dragged partly off stays where they put it.
        const bool inside = win32::withinWorkArea(hwnd());
        sizingByProgram_ = true;
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        sizingByProgram_ = false;
        if (inside) win32::fitWithinWorkArea(hwnd(), false);
    }
}

ClientSize MainWindow::clientSize() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    return {client.right, client.bottom};
}

void MainWindow::setBackground(COLORREF colour) {
    background_ = colour;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::setReading(ListReading& reading,
                            std::function<RECT(const monitor::ShownRow&)> rowRect) {
    reading_ = &reading;
    rowRect_ = std::move(rowRect);
    automation_ =
        std::make_unique<DrawnAutomation>(hwnd(), listSource_, DrawnAutomation::Kind::List);
}

std::optional<RECT> MainWindow::focusedRect() const {
    if (!reading_ || !rowRect_) return std::nullopt;
    const std::optional<int> row = reading_->focused();
    if (!row) return std::nullopt;
    const std::vector<monitor::ShownRow> rows = reading_->rows();
    return rowRect_(rows[static_cast<size_t>(*row)]);
}

void MainWindow::drawFocus(HDC dc) const {
    if (GetFocus() != hwnd()) return;
    if (std::optional<RECT> r = focusedRect())
        FrameRect(dc, &*r, GetSysColorBrush(COLOR_HIGHLIGHT));
}

void MainWindow::tellFocus() const {
    if (automation_) automation_->focusMoved();
}

std::wstring MainWindow::ListSource::name() const { return base::text(base::Text::ProductName); }

int MainWindow::ListSource::partCount() const {
    return window_.reading_ ? static_cast<int>(window_.reading_->rows().size()) : 0;
}

std::wstring MainWindow::ListSource::partName(int part) const {
    const std::vector<monitor::ShownRow> rows = window_.reading_->rows();
    return part < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(part)].name : L"";
}

std::wstring MainWindow::ListSource::partValue(int part) const {
    const std::vector<monitor::ShownRow> rows = window_.reading_->rows();
    return part < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(part)].value : L"";
}

RECT MainWindow::ListSource::partRect(int part) const {
    const std::vector<monitor::ShownRow> rows = window_.reading_->rows();
    if (part >= static_cast<int>(rows.size()) || !window_.rowRect_) return {};
    return window_.rowRect_(rows[static_cast<size_t>(part)]);
}

std::optional<int> MainWindow::ListSource::focusedPart() const {
    return window_.reading_ ? window_.reading_->focused() : std::nullopt;
}

// The arrows walk the rows, Home and End go to the first and the last.
void MainWindow::onKey(WPARAM key) {
    if (key == 'C' && GetKeyState(VK_CONTROL) < 0) {
        if (onCopy) onCopy();
        return;
    }
    if (!reading_) return;
    bool moved = false;
    if (key == VK_UP || key == VK_DOWN)
        moved = reading_->move(key == VK_DOWN ? 1 : -1);
    else if (key == VK_HOME || key == VK_END)
        moved = reading_->moveToEnd(key == VK_END);
    else
        return;
    if (!moved) return;
    InvalidateRect(hwnd(), nullptr, FALSE);
    tellFocus();
}

// Below the row the keyboard is on, else at the list's top-left corner.
void MainWindow::openMenuFromKeyboard() {
    if (!onMenuKey) return;
    POINT at{0, 0};
    if (std::optional<RECT> r = focusedRect()) at = {r->left, r->bottom};
    ClientToScreen(hwnd(), &at);
    onMenuKey(at);
}

void MainWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (onPaint) {
        RECT client;
        GetClientRect(hwnd(), &client);
        onPaint(dc, client);
        drawFocus(dc);
        EndPaint(hwnd(), &ps);
        return;
    }
    FillRect(dc, &ps.rcPaint, backgroundBrush_.get(background_));
    EndPaint(hwnd(), &ps);
}

SizingEdge MainWindow::edgeAt(LPARAM screenPoint) const {
    if (!resizable_) return SizingEdge::None;
    RECT r{};
    GetWindowRect(hwnd(), &r);
    int x = static_cast<short>(LOWORD(screenPoint)) - r.left;
    int y = static_cast<short>(HIWORD(screenPoint)) - r.top;
    return sizingEdgeAt(x, y, r.right - r.left, r.bottom - r.top);
}

void MainWindow::paintBorder() {
    HDC dc = GetWindowDC(hwnd());
    if (!dc) return;
    RECT r{};
    GetWindowRect(hwnd(), &r);
    OffsetRect(&r, -r.left, -r.top);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    ReleaseDC(hwnd(), dc);
}

LRESULT MainWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            // The list is stretched onto the whole client area: all of it changes. A drag shows
            // it at once; the tick that sized the window draws it itself.
            InvalidateRect(hwnd(), nullptr, FALSE);
            if (inSizeMove_) UpdateWindow(hwnd());
            return 0;
        case WM_CLOSE:
            if (onClose) onClose();
            return 0;
        case win32::kDpiChangedMessage: {
            // On a monitor of another scale: the window takes the rectangle the system suggests,
            // and the list is drawn again at the new DPI (which sizes the window to it).
            const RECT* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            if (onDpiChanged) onDpiChanged(HIWORD(wp));
            win32::fitWithinWorkArea(hwnd(), false);
            return 0;
        }
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            // The screens changed under the window: it must stay where a person can reach it.
            if (win32::isWorkAreaChange(msg, wp)) win32::fitWithinWorkArea(hwnd(), false);
            break;
        case WM_NCCALCSIZE: {
            RECT& r = wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0]
                         : *reinterpret_cast<RECT*>(lp);
            insetByBorder(r, dpi());
            return 0;
        }
        case WM_NCPAINT:
            paintBorder();
            return 0;
        case WM_NCACTIVATE:
            // The border looks the same active or not; the default would draw a sizing frame.
            return TRUE;
        case WM_GETMINMAXINFO: {
            // A drag stops at the smallest size whose edges can still be taken; the list's own
            // sizes (one row is 16 pixels high) are never raised or cut.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lp);
            if (sizingByProgram_) {
                limits->ptMinTrackSize = {1, 1};
                limits->ptMaxTrackSize = {SHRT_MAX, SHRT_MAX};
            } else {
                limits->ptMinTrackSize = {kSizingMinimum, kSizingMinimum};
            }
            return 0;
        }
        case WM_MOUSEACTIVATE:
            // A press in the list is no reason to take the focus from where the user works.
            if (!resizable_) return MA_NOACTIVATE;
            break;
        case WM_MOUSEMOVE:
            if (dragPointer_) followDrag();
            return 0;
        case WM_LBUTTONUP:
            if (dragPointer_) {
                followDrag();  // to where the button was released
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            dragPointer_.reset();
            return 0;
        case WM_ENTERSIZEMOVE:
            inSizeMove_ = true;
            return 0;
        case WM_EXITSIZEMOVE:
            inSizeMove_ = false;
            return 0;
        case WM_NCHITTEST: {
            // An edge's code makes a press there start the system's sizing loop, which follows
            // the pointer until the button is released, however many moves the drag takes.
            SizingEdge edge = edgeAt(lp);
            if (edge != SizingEdge::None) return hitCodeOf(edge);
            // Not at an edge, or not sizable now: inside the border all is the drawn list.
            POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            RECT client{};
            GetClientRect(hwnd(), &client);
            ScreenToClient(hwnd(), &at);
            return PtInRect(&client, at) ? HTCLIENT : HTBORDER;
        }
        case WM_NCRBUTTONDOWN:
            // The edges are part of the drawn list: its menu opens there too.
            if (isSizingCode(wp)) {
                if (onButtonDown) onButtonDown(MK_RBUTTON);
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (onButtonDown) onButtonDown(wp);
            return 0;
        case WM_KEYDOWN:
            onKey(wp);
            return 0;
        case WM_CONTEXTMENU:
            // From the keyboard (Shift+F10, the Menu key) the point is -1, -1; a right press
            // already opened the menu itself.
            if (lp == -1) openMenuFromKeyboard();
            return 0;
        case WM_SETFOCUS:
            InvalidateRect(hwnd(), nullptr, FALSE);
            tellFocus();
            return 0;
        case WM_KILLFOCUS:
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_GETOBJECT:
            if (automation_)
                if (std::optional<LRESULT> answer = automation_->answer(wp, lp)) return *answer;
            break;
        case WM_DESTROY:
            automation_.reset();
            break;
    }
    return WindowBase::handle(msg, wp, lp);
}

}  // namespace ui
