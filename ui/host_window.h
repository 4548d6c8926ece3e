#pragma once
#include <functional>

#include "ui/window_base.h"

namespace ui {

constexpr UINT kTrayMessage = WM_APP + 1;

// The never-shown host window: target of the tray icon, owner of the main side's timers.
class HostWindow : public WindowBase {
public:
    bool create();
    std::function<void()> onClose;  // closed, logged off or shut down
    std::function<void(UINT mouseMessage)> onTray;
    std::function<void(UINT_PTR id)> onTimer;

protected:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace ui
