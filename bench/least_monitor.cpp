// The least Win32 monitor: what any program must do for KorvaNT's "every item, 500 ms, caption on"
// job, and nothing else. Each tick: processor times, memory, one interface table, the free space
// of each fixed drive, power, clock; 23 text rows into a memory bitmap, one copy to the window, a
// new caption. scripts/measure-cpu and scripts/measure-memory run it beside KorvaNT.exe under the
// same Wine, so that KorvaNT's figures have a floor measured in the same run.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
// In this order: winsock2 before windows, the interface tables after both.
// clang-format off
#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>
// clang-format on

#include <cstdio>
#include <cwchar>

static HDC mem;
static HBITMAP bmp;
static HFONT font;
static const int W = 160, ROW = 13, ROWS = 23;
static ULONGLONG lastIdle, lastKernel, lastUser, lastIn, lastOut;

static ULONGLONG ft(FILETIME f) { return ((ULONGLONG)f.dwHighDateTime << 32) | f.dwLowDateTime; }

static void tick(HWND hwnd) {
    wchar_t rows[ROWS][64];
    int n = 0;
    FILETIME i, k, u;
    GetSystemTimes(&i, &k, &u);
    ULONGLONG di = ft(i) - lastIdle, dk = ft(k) - lastKernel, du = ft(u) - lastUser;
    lastIdle = ft(i);
    lastKernel = ft(k);
    lastUser = ft(u);
    int cpu = (dk + du) ? (int)(100 - 100 * di / (dk + du)) : 0;
    swprintf(rows[n++], 64, L"CPU %d%%", cpu);
    MEMORYSTATUSEX ms = {sizeof ms};
    GlobalMemoryStatusEx(&ms);
    swprintf(rows[n++], 64, L"MEM %llu MB", ms.ullAvailPhys >> 20);
    MIB_IF_TABLE2 *t = NULL;
    ULONGLONG in = 0, out = 0;
    if (GetIfTable2(&t) == NO_ERROR) {
        for (ULONG j = 0; j < t->NumEntries; j++) {
            in += t->Table[j].InOctets;
            out += t->Table[j].OutOctets;
        }
        FreeMibTable(t);
    }
    swprintf(rows[n++], 64, L"IN %llu", in - lastIn);
    swprintf(rows[n++], 64, L"OUT %llu", out - lastOut);
    lastIn = in;
    lastOut = out;
    wchar_t root[] = L"C:\\";
    for (wchar_t d = L'C'; d <= L'Z'; d++) {
        root[0] = d;
        if (d == L'C' || d == L'Z') { /* the fixed drives of a default prefix */
            ULARGE_INTEGER fr, tot;
            if (GetDiskFreeSpaceExW(root, &fr, &tot, NULL))
                swprintf(rows[n++], 64, L"%lc: %llu MB", d, fr.QuadPart >> 20);
        }
    }
    SYSTEM_POWER_STATUS ps;
    GetSystemPowerStatus(&ps);
    swprintf(rows[n++], 64, L"AC %d", ps.ACLineStatus);
    SYSTEMTIME st;
    GetLocalTime(&st);
    swprintf(rows[n++], 64, L"%02d:%02d:%02d", st.wHour, st.wMinute, st.wSecond);
    swprintf(rows[n++], 64, L"UP %llu s", GetTickCount64() / 1000);
    while (n < ROWS) {
        swprintf(rows[n], 64, L"row %d %d", n, cpu);
        n++;
    }
    RECT r = {0, 0, W, ROW * ROWS};
    FillRect(mem, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
    for (int j = 0; j < ROWS; j++) TextOutW(mem, 2, j * ROW, rows[j], (int)wcslen(rows[j]));
    HDC dc = GetDC(hwnd);
    BitBlt(dc, 0, 0, W, ROW * ROWS, mem, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    wchar_t cap[96];
    swprintf(cap, 96, L"C%d M%llu I%llu", cpu, ms.ullAvailPhys >> 20, in);
    SetWindowTextW(hwnd, cap);
}

static LRESULT CALLBACK proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_TIMER) {
        tick(h);
        return 0;
    }
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE prev, PWSTR cmd, int show) {
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = L"least_monitor";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(WS_EX_TOPMOST, L"least_monitor", L"least_monitor",
                             WS_POPUP | WS_VISIBLE, 200, 100, W, ROW * ROWS, 0, 0, inst, 0);
    HDC dc = GetDC(h);
    mem = CreateCompatibleDC(dc);
    bmp = CreateCompatibleBitmap(dc, W, ROW * ROWS);
    ReleaseDC(h, dc);
    SelectObject(mem, bmp);
    SetTextColor(mem, RGB(0, 255, 0));
    SetBkMode(mem, TRANSPARENT);
    /* the rows' font the job names, so that its file's pages count on both sides */
    font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH,
                       L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");
    SelectObject(mem, font);
    SetTimer(h, 1, 500, NULL);
    MSG msg;
    while (GetMessageW(&msg, 0, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
