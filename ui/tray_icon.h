#pragma once
// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

namespace ui {

// The one notification-area icon: added once, deleted with the same record on every exit path.
class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool add(HWND target, UINT callbackMessage, HICON icon, const std::wstring& tip);
    void remove();
    bool added() const { return added_; }

private:
    NOTIFYICONDATAW record_{};
    bool added_ = false;
};

}  // namespace ui
