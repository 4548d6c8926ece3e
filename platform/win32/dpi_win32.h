#pragma once
#include <windows.h>

namespace win32 {

// The display scale as the system reports it. The per-monitor calls exist from Windows 10
// (1607; 8.1 for monitors); on older systems each answer falls back to the system DPI, which
// is what a system-aware program sees there.

// WM_DPICHANGED, which older headers lack.
constexpr UINT kDpiChangedMessage = 0x02E0;

int systemDpi();
// The DPI a window is drawn at: its monitor's under per-monitor awareness.
int dpiOfWindow(HWND window);
// The DPI of the monitor that holds a screen point (the nearest one when none does).
int dpiAt(POINT point);
// The DPI of the monitor where a position stored in twips lies: read first at the system DPI,
// which places it on a monitor, then at that monitor's own DPI.
int dpiForStoredPosition(float leftTwips, float topTwips);

int systemMetricForDpi(int index, int dpi);
// The outer rectangle of a window with this client rectangle, its frame at `dpi`.
void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// Moves a window partly off its monitor's work area onto it: a place stored at another scale, or
// on a monitor gone, must not hide the window. One bigger than the work area is made its size
// when it may be resized, and otherwise shows its top left corner.
void fitWithinWorkArea(HWND window, bool mayResize);
// Whether the window lies wholly within the work area of its nearest monitor.
bool withinWorkArea(HWND window);
// Whether a broadcast message says that the screens or their work areas changed: another
// resolution, scale or monitor, or a taskbar moved or resized.
bool isWorkAreaChange(UINT msg, WPARAM wp);

// A length designed at 96 DPI, at `dpi`.
int scaledForDpi(int designed, int dpi);

}  // namespace win32
