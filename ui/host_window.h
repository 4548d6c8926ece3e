#pragma once
#include <functional>

#include "ui/window_base.h"

namespace ui {

constexpr UINT kTrayMessage = WM_APP + 1;

// Sent by a later copy started for the same settings file: show the main window.
UINT comeForwardMessage();
// Broadcast by a shell that has (re)started: the notification icons must be added again.
UINT taskbarCreatedMessage();

// The never-shown host window: target of the tray icon, owner of the main side's timers.
class HostWindow : public WindowBase {
public:
    bool create();
    std::function<void()> onClose;       // closed
    std::function<void()> onSessionEnd;  // the user logs off or the system shuts down
    // What happened on the tray icon (WM_RBUTTONDOWN, WM_CONTEXTMENU, NIN_KEYSELECT...) and the
    // icon's anchor on the screen.
    std::function<void(UINT event, POINT anchor)> onTray;
    std::function<void(UINT_PTR id)> onTimer;
    std::function<void()> onComeForward;
    std::function<void()> onShellRestart;

protected:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace ui
