#include "ui/main_window.h"

namespace ui {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

SIZE outerSizeFor(ClientSize client) {
    RECT r{0, 0, client.width, client.height};
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
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

}  // namespace

bool MainWindow::create(HWND owner, int x, int y, ClientSize client) {
    SIZE outer = outerSizeFor(client);
    if (!WindowBase::create(L"KorvaNT.Main", L"", kStyle, kExStyle, x, y, outer.cx, outer.cy))
        return false;
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    return true;
}

void MainWindow::setClientSize(ClientSize client) {
    SIZE outer = outerSizeFor(client);
    RECT current{};
    GetWindowRect(hwnd(), &current);
    // Fixed-size mode asks on every tick.
    if (current.right - current.left != outer.cx || current.bottom - current.top != outer.cy)
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

void MainWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (onPaint) {
        RECT client;
        GetClientRect(hwnd(), &client);
        onPaint(dc, client);
        EndPaint(hwnd(), &ps);
        return;
    }
    HBRUSH brush = CreateSolidBrush(background_);
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(hwnd(), &ps);
}

SizingEdge MainWindow::edgeAt(LPARAM screenPoint) const {
    if (!resizable || !resizable()) return SizingEdge::None;
    RECT r{};
    GetWindowRect(hwnd(), &r);
    int x = static_cast<short>(LOWORD(screenPoint)) - r.left;
    int y = static_cast<short>(HIWORD(screenPoint)) - r.top;
    return sizingEdgeAt(x, y, r.right - r.left, r.bottom - r.top);
}

// The window has a one-pixel border, which the window system would not size by; the drag of an
// edge is followed here instead.
void MainWindow::startSizing(SizingEdge edge) {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    GetCursorPos(&sizingFrom_);
    sizingStart_ = {r.left, r.top, r.right, r.bottom};
    sizing_ = edge;
    SetCapture(hwnd());
}

void MainWindow::followSizing() {
    POINT at{};
    GetCursorPos(&at);
    ScreenRect r = resizedBy(sizingStart_, sizing_, at.x - sizingFrom_.x, at.y - sizingFrom_.y);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
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
            if (sizing_ != SizingEdge::None) UpdateWindow(hwnd());
            return 0;
        case WM_CLOSE:
            if (onClose) onClose();
            return 0;
        case WM_NCHITTEST: {
            SizingEdge edge = edgeAt(lp);
            if (edge != SizingEdge::None) return hitCodeOf(edge);
            break;
        }
        case WM_NCLBUTTONDOWN:
            if (isSizingCode(wp) && edgeAt(lp) != SizingEdge::None) {
                startSizing(edgeAt(lp));
                return 0;
            }
            break;
        case WM_NCRBUTTONDOWN:
            // The edges are part of the drawn list: its menu opens there too.
            if (isSizingCode(wp)) {
                if (onButtonDown) onButtonDown(MK_RBUTTON);
                return 0;
            }
            break;
        case WM_MOUSEMOVE:
            if (sizing_ != SizingEdge::None) followSizing();
            return 0;
        case WM_LBUTTONUP:
            if (sizing_ != SizingEdge::None) ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            sizing_ = SizingEdge::None;
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (onButtonDown) onButtonDown(wp);
            return 0;
    }
    return WindowBase::handle(msg, wp, lp);
}

}  // namespace ui
