#include "ui/host_window.h"

namespace ui {

bool HostWindow::create() {
    return WindowBase::create(L"KorvaNT.Host", L"KorvaNT.Host", WS_OVERLAPPED, WS_EX_TOOLWINDOW, 0,
                              0, 0, 0);
}

LRESULT HostWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case kTrayMessage:
            if (onTray) onTray(static_cast<UINT>(lp));
            return 0;
        case WM_TIMER:
            if (onTimer) onTimer(wp);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wp && onClose) onClose();
            return 0;
        case WM_CLOSE:
            if (onClose) onClose();
            return 0;
    }
    return WindowBase::handle(msg, wp, lp);
}

}  // namespace ui
