#include "ui/host_window.h"

namespace ui {

UINT comeForwardMessage() {
    static const UINT message = RegisterWindowMessageW(L"KorvaNT.ComeForward");
    return message;
}

UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

bool HostWindow::create() {
    return WindowBase::create(L"KorvaNT.Host", L"KorvaNT.Host", WS_OVERLAPPED, WS_EX_TOOLWINDOW, 0,
                              0, 0, 0);
}

LRESULT HostWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    // Registered messages have no fixed number to switch on.
    if (msg == comeForwardMessage() && msg != 0) {
        if (onComeForward) onComeForward();
        return 0;
    }
    if (msg == taskbarCreatedMessage() && msg != 0) {
        if (onShellRestart) onShellRestart();
        return 0;
    }
    switch (msg) {
        case kTrayMessage:
            // An icon of version 4: the event in the low word, the anchor in wParam.
            if (onTray)
                onTray(LOWORD(lp),
                       POINT{static_cast<short>(LOWORD(wp)), static_cast<short>(HIWORD(wp))});
            return 0;
        case WM_TIMER:
            if (onTimer) onTimer(wp);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session really ends: the process may be ended once this returns.
            if (wp && onSessionEnd) onSessionEnd();
            return 0;
        case WM_CLOSE:
            if (onClose) onClose();
            return 0;
    }
    return WindowBase::handle(msg, wp, lp);
}

}  // namespace ui
