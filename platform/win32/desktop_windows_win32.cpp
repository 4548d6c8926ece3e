#include "platform/win32/desktop_windows_win32.h"

#include <windows.h>

namespace win32 {
namespace {

HWND handleOf(platform::WindowId window) { return reinterpret_cast<HWND>(window); }

// A window that answers nothing for this long is taken as hung, and its close request as done.
constexpr UINT kCloseWaitMs = 5000;

}  // namespace

platform::WindowId DesktopWindowsWin32::foreground() {
    return reinterpret_cast<platform::WindowId>(GetForegroundWindow());
}

std::wstring DesktopWindowsWin32::title(platform::WindowId window) {
    if (!window) return {};
    wchar_t text[1024] = {};
    int n = GetWindowTextW(handleOf(window), text, 1024);
    return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
}

platform::WindowId DesktopWindowsWin32::findByTitle(const std::wstring& title) {
    return reinterpret_cast<platform::WindowId>(FindWindowW(nullptr, title.c_str()));
}

void DesktopWindowsWin32::close(platform::WindowId window) {
    // Waits for the window to handle it, but not forever for one that hangs.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(handleOf(window), WM_SYSCOMMAND, SC_CLOSE, 0,
                        SMTO_NORMAL | SMTO_ABORTIFHUNG, kCloseWaitMs, &result);
}

std::optional<platform::WindowRect> DesktopWindowsWin32::rect(platform::WindowId window) {
    RECT r{};
    if (!GetWindowRect(handleOf(window), &r)) return std::nullopt;
    return platform::WindowRect{r.left, r.top, r.right, r.bottom};
}

void DesktopWindowsWin32::move(platform::WindowId window, int left, int top, int width,
                               int height) {
    MoveWindow(handleOf(window), left, top, width, height, TRUE);
}

}  // namespace win32
