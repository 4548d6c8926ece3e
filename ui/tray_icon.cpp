#include "ui/tray_icon.h"

#include <cwchar>

namespace ui {

bool TrayIcon::add(HWND target, UINT callbackMessage, HICON icon, const std::wstring& tip) {
    remove();
    record_ = {};
    record_.cbSize = sizeof record_;
    record_.hWnd = target;
    record_.uID = 1;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = callbackMessage;
    record_.hIcon = icon;
    wcsncpy(record_.szTip, tip.c_str(), std::size(record_.szTip) - 1);
    added_ = Shell_NotifyIconW(NIM_ADD, &record_);
    return added_;
}

void TrayIcon::remove() {
    if (!added_) return;
    Shell_NotifyIconW(NIM_DELETE, &record_);
    added_ = false;
}

}  // namespace ui
