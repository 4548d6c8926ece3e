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
    // Adds the icon again, as it was, after the shell restarted without it (or was not there yet
    // when the icon was first added).
    bool restore();
    bool added() const { return added_; }
    // A new picture or tooltip, kept for a restore too.
    void change(HICON icon, const std::wstring& tip);
    // A balloon over the icon; dropped while there is no icon to show it from.
    bool showBalloon(const std::wstring& title, const std::wstring& text);

private:
    void useVersion4();

    NOTIFYICONDATAW record_{};
    bool added_ = false;
};

}  // namespace ui
