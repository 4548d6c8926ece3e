#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A top-level window of any program; 0 is none.
using WindowId = std::uintptr_t;

struct WindowRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Other programs' top-level windows, as the desktop tools see and handle them.
class DesktopWindows {
public:
    virtual ~DesktopWindows() = default;
    // The window in the foreground; 0 when there is none.
    virtual WindowId foreground() = 0;
    // A window's title; empty when it cannot be read.
    virtual std::wstring title(WindowId window) = 0;
    struct TitledWindow {
        WindowId id = 0;
        std::wstring title;
    };
    // Every top-level window with its title, front to back: the order in which a search by
    // title meets them.
    virtual std::vector<TitledWindow> topWindows() = 0;
    // A title in the form a search by title compares: titles equal without regard to letter
    // case have equal keys.
    virtual std::wstring titleKey(const std::wstring& title) = 0;
    // Asks a window to close as its system menu's close command does, and waits until the
    // window has handled the request.
    virtual void close(WindowId window) = 0;
    // A window's outer rectangle in screen pixels.
    virtual std::optional<WindowRect> rect(WindowId window) = 0;
    // Places and sizes a window (screen pixels) and repaints it.
    virtual void move(WindowId window, int left, int top, int width, int height) = 0;
};

}  // namespace platform
