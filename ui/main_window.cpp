#include "ui/main_window.h"

namespace ui {

bool MainWindow::create(HWND owner, int x, int y, int width, int height) {
    if (!WindowBase::create(L"KorvaNT.Main", L"", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, x, y,
                            width, height))
        return false;
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    return true;
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

LRESULT MainWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            if (onClose) onClose();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (onButtonDown) onButtonDown(wp);
            return 0;
    }
    return WindowBase::handle(msg, wp, lp);
}

}  // namespace ui
