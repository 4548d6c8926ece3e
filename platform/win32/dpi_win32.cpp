#include "platform/win32/dpi_win32.h"

#include <algorithm>
#include <optional>

#include "base/dpi_scale.h"
#include "base/twips.h"

namespace win32 {
namespace {

// Looked up once: the program still starts on systems without them.
template <typename F>
F user32Function(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

GetDpiForMonitorFn monitorDpiFunction() {
    static GetDpiForMonitorFn function = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    return function;
}

int sane(UINT dpi) { return dpi >= 48 && dpi <= 960 ? static_cast<int>(dpi) : systemDpi(); }

}  // namespace

int systemDpi() {
    static auto function = user32Function<GetDpiForSystemFn>("GetDpiForSystem");
    if (function) return static_cast<int>(function());
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : base::kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : base::kDesignDpi;
}

int dpiOfWindow(HWND window) {
    static auto function = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (function && window) return sane(function(window));
    return systemDpi();
}

int dpiAt(POINT point) {
    GetDpiForMonitorFn function = monitorDpiFunction();
    if (!function) return systemDpi();
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    if (FAILED(function(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)))
        return systemDpi();
    return sane(y);
}

int dpiForStoredPosition(float leftTwips, float topTwips) {
    int system = systemDpi();
    return dpiAt(
        {base::pixelsFromTwips(leftTwips, system), base::pixelsFromTwips(topTwips, system)});
}

int systemMetricForDpi(int index, int dpi) {
    static auto function = user32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (function) return function(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    static auto function = user32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (function && function(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

int scaledForDpi(int designed, int dpi) { return base::DpiScale{dpi}.px(designed); }

namespace {

std::optional<RECT> workAreaNear(const RECT& r) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return std::nullopt;
    return info.rcWork;
}

}  // namespace

bool withinWorkArea(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    std::optional<RECT> work = workAreaNear(r);
    return work && r.left >= work->left && r.top >= work->top && r.right <= work->right &&
           r.bottom <= work->bottom;
}

bool isWorkAreaChange(UINT msg, WPARAM wp) {
    return msg == WM_DISPLAYCHANGE || msg == kDpiChangedMessage ||
           (msg == WM_SETTINGCHANGE && wp == SPI_SETWORKAREA);
}

void fitWithinWorkArea(HWND window, bool mayResize) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    std::optional<RECT> area = workAreaNear(r);
    if (!area) return;
    const RECT& work = *area;
    LONG width = r.right - r.left, height = r.bottom - r.top;
    if (mayResize) {
        width = std::min(width, work.right - work.left);
        height = std::min(height, work.bottom - work.top);
    }
    const LONG left = std::max(std::min(r.left, work.right - width), work.left);
    const LONG top = std::max(std::min(r.top, work.bottom - height), work.top);
    if (left != r.left || top != r.top || width != r.right - r.left || height != r.bottom - r.top)
        SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
