#include "ui/size_window.h"

#include "platform/win32/dpi_win32.h"
#include "ui/options/options_ids.h"
#include "ui/options/window_commands.h"
#include "ui/popup_menu.h"

namespace ui {

bool SizeWindow::create(HWND owner, int width, int height) {
    hwnd_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SIZE_WINDOW), owner,
                               procedure, reinterpret_cast<LPARAM>(this));
    if (!hwnd_) return false;
    texts_.take(hwnd_);
    // The minimum applies to the stored size too.
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    showSize();
    return true;
}

void SizeWindow::show(HWND opener, bool alwaysOnTop) {
    if (!IsWindowVisible(hwnd_)) {
        RECT over{}, own{};
        GetWindowRect(hwnd_, &own);
        if (opener && GetWindowRect(opener, &over)) {
            int width = own.right - own.left, height = own.bottom - own.top;
            SetWindowPos(hwnd_, nullptr, (over.left + over.right - width) / 2,
                         (over.top + over.bottom - height) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        win32::fitWithinWorkArea(hwnd_, true);
    }
    showInFront(hwnd_, alwaysOnTop);
}

void SizeWindow::showSize() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    SetDlgItemTextW(
        hwnd_, IDC_SIZE_TEXT,
        options::sizeWindowText(r.right - r.left, r.bottom - r.top, win32::dpiOfWindow(hwnd_))
            .c_str());
}

INT_PTR CALLBACK SizeWindow::procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        return FALSE;
    }
    auto* self = reinterpret_cast<SizeWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (msg) {
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lp);
            int minimum =
                win32::scaledForDpi(options::kSizeWindowMinimumPixels, win32::dpiOfWindow(hwnd));
            limits->ptMinTrackSize = {minimum, minimum};
            return TRUE;
        }
        case win32::kDpiChangedMessage: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            win32::fitWithinWorkArea(hwnd, true);
            return TRUE;
        }
        case WM_SIZE:
            if (self && self->hwnd_) self->showSize();
            return FALSE;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            if (win32::isWorkAreaChange(msg, wp) && IsWindowVisible(hwnd))
                win32::fitWithinWorkArea(hwnd, true);
            return FALSE;
        case WM_CLOSE:
            return TRUE;  // refused: only the button hides the window
        case WM_COMMAND:
            // Enter chooses the size too: the button is the window's default.
            if (LOWORD(wp) == IDC_SIZE_CHOSEN || LOWORD(wp) == IDOK) {
                ShowWindow(hwnd, SW_HIDE);
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace ui
