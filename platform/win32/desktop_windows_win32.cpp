#include "platform/win32/desktop_windows_win32.h"

#include <windows.h>

namespace win32 {
namespace {

HWND handleOf(platform::WindowId window) { return reinterpret_cast<HWND>(window); }

// A window that answers nothing for this long is taken as hung, and its close request as done.
constexpr UINT kCloseWaitMs = 5000;

// Grown until it fits: a search by title compares whole titles.
std::wstring wholeTitle(HWND window) {
    for (int size = 1024;; size *= 4) {
        std::wstring text(static_cast<size_t>(size), L'\0');
        int n = GetWindowTextW(window, text.data(), size);
        if (n < size - 1 || size >= (1 << 20)) {
            text.resize(n > 0 ? static_cast<size_t>(n) : 0);
            return text;
        }
    }
}

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

std::vector<platform::DesktopWindows::TitledWindow> DesktopWindowsWin32::topWindows() {
    std::vector<HWND> handles;
    EnumWindows(
        [](HWND window, LPARAM into) {
            reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&handles));
    std::vector<TitledWindow> windows;
    windows.reserve(handles.size());
    for (HWND window : handles) {
        platform::WindowId id = reinterpret_cast<platform::WindowId>(window);
        windows.push_back({id, wholeTitle(window)});
    }
    return windows;
}

std::wstring DesktopWindowsWin32::titleKey(const std::wstring& title) {
    // Upper case as the system's ordinal comparison without regard to case has it.
    std::wstring key = title;
    if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
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
