#include "ui/taskbar_window.h"

namespace ui {

bool TaskbarWindow::create() {
    return WindowBase::create(L"KorvaNT.Taskbar", L"KorvaNT", WS_OVERLAPPED | WS_CAPTION,
                              WS_EX_APPWINDOW, -32000, -32000, 120, 30);
}

void TaskbarWindow::setVisible(bool visible) {
    ShowWindow(hwnd(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TaskbarWindow::setCaption(const std::wstring& caption) {
    wchar_t current[256] = {};
    GetWindowTextW(hwnd(), current, 256);
    if (caption != current) SetWindowTextW(hwnd(), caption.c_str());
}

}  // namespace ui
