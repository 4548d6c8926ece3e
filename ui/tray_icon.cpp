#include "ui/tray_icon.h"

#include <cwchar>
#include <string_view>

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
    if (added_) useVersion4();
    return added_;
}

// Enter and Space on the icon (NIN_KEYSELECT), its menu from the keyboard (WM_CONTEXTMENU with
// the icon's anchor): the shell tells them to icons of version 4 only.
void TrayIcon::useVersion4() {
    NOTIFYICONDATAW version = record_;
    version.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &version);
}

bool TrayIcon::restore() {
    if (!record_.hWnd) return false;
    // An icon the shell still has (a broadcast without a restart) takes the record again.
    added_ = Shell_NotifyIconW(NIM_ADD, &record_) || Shell_NotifyIconW(NIM_MODIFY, &record_);
    if (added_) useVersion4();
    return added_;
}

// Only what changed goes to the shell: a new tooltip alone does not redraw the icon.
void TrayIcon::change(HICON icon, const std::wstring& tip) {
    NOTIFYICONDATAW update = record_;
    update.uFlags = 0;
    if (icon != record_.hIcon) update.uFlags |= NIF_ICON;
    // A tip longer than the record holds is compared as the shell would keep it, cut.
    if (std::wstring_view(tip).substr(0, std::size(record_.szTip) - 1) != record_.szTip)
        update.uFlags |= NIF_TIP;
    record_.hIcon = update.hIcon = icon;
    wcsncpy(record_.szTip, tip.c_str(), std::size(record_.szTip) - 1);
    record_.szTip[std::size(record_.szTip) - 1] = L'\0';
    wcscpy(update.szTip, record_.szTip);
    if (added_ && update.uFlags != 0) Shell_NotifyIconW(NIM_MODIFY, &update);
}

bool TrayIcon::showBalloon(const std::wstring& title, const std::wstring& text) {
    if (!added_) return false;
    NOTIFYICONDATAW balloon = record_;
    balloon.uFlags = NIF_INFO;
    wcsncpy(balloon.szInfoTitle, title.c_str(), std::size(balloon.szInfoTitle) - 1);
    wcsncpy(balloon.szInfo, text.c_str(), std::size(balloon.szInfo) - 1);
    balloon.dwInfoFlags = NIIF_INFO;
    return Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::remove() {
    if (!added_) return;
    Shell_NotifyIconW(NIM_DELETE, &record_);
    added_ = false;
    record_.hWnd = nullptr;  // taken away on purpose: a shell restart must not bring it back
}

}  // namespace ui
