#include <cstring>
#include <vector>

#include "winctl.h"

namespace winctl {

void print(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
    bytes.resize(n > 0 ? n - 1 : 0);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

// Matches a caption, or a class name for windows without one, without messages: FindWindowW
// asks every window of another process for its text and waits for whichever of them is busy.
HWND findByTitle(const wchar_t* title) {
    struct Search {
        const wchar_t* title;
        HWND found;
    } search{title, nullptr};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t text[512] = {}, className[256] = {};
            InternalGetWindowText(w, text, 512);
            GetClassNameW(w, className, 256);
            if (wcscmp(text, s->title) != 0 && wcscmp(className, s->title) != 0) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND windowNamed(const wchar_t* name) {
    if (wcsncmp(name, L"hwnd:", 5) == 0)
        return reinterpret_cast<HWND>(static_cast<uintptr_t>(_wtoi64(name + 5)));
    return findByTitle(name);
}

// A control of a window (named as windowNamed takes it) by its id, at any depth (the options
// window's pages are child dialogs).
HWND control(const wchar_t* title, int id) {
    HWND top = windowNamed(title);
    if (!top) return nullptr;
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        top,
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (GetDlgCtrlID(w) != s->id) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The open popup menu, if any: its window has the system's menu class.
HWND openPopupMenu() {
    HWND menu = nullptr;
    while ((menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)))
        if (IsWindowVisible(menu)) return menu;
    return nullptr;
}

// The entries of the open popup menu, a line each, a submenu's indented by two spaces and a
// separator an empty line; read inside the menu's process by menu_hook.dll beside this program.
int menuTexts(HWND popup) {
    if (!popup) return 1;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring library = path;
    library = library.substr(0, library.find_last_of(L'\\') + 1) + L"menu_hook.dll";
    HMODULE hook = LoadLibraryW(library.c_str());
    // Through void*: a procedure found by name has the type its export says, not FARPROC's.
    auto proc = hook ? reinterpret_cast<HOOKPROC>(
                           reinterpret_cast<void*>(GetProcAddress(hook, "menuTextsHook")))
                     : nullptr;
    if (!proc) return 3;
    constexpr DWORD kBytes = 32768 * sizeof(wchar_t);
    HANDLE shared = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBytes,
                                       L"winctl.menutexts");
    auto* view = static_cast<wchar_t*>(MapViewOfFile(shared, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    int result = 2;
    if (view) {
        view[0] = L'\0';
        HHOOK hooked =
            SetWindowsHookExW(WH_CALLWNDPROC, proc, hook, GetWindowThreadProcessId(popup, nullptr));
        DWORD_PTR answer = 0;
        if (hooked &&
            SendMessageTimeoutW(popup, RegisterWindowMessageW(L"winctl.menutexts"), 0, 0,
                                SMTO_ABORTIFHUNG, 5000, &answer) &&
            view[0]) {
            print(view);
            result = 0;
        }
        if (hooked) UnhookWindowsHookEx(hooked);
        UnmapViewOfFile(view);
    }
    if (shared) CloseHandle(shared);
    FreeLibrary(hook);
    return result;
}

int describe(HWND w) {
    if (!w) return 1;
    RECT r{};
    GetWindowRect(w, &r);
    RECT c{};
    GetClientRect(w, &c);
    bool topmost = GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST;
    print(std::to_wstring(reinterpret_cast<uintptr_t>(w)) + L" " +
          std::to_wstring(IsWindowVisible(w) ? 1 : 0) + L" " + std::to_wstring(r.left) + L" " +
          std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
          std::to_wstring(r.bottom) + L" " + std::to_wstring(c.right) + L" " +
          std::to_wstring(c.bottom) + L" " + std::to_wstring(topmost ? 1 : 0) + L"\n");
    return 0;
}

// Client area origin on the screen and its size: "x y width height".
int client(HWND w) {
    if (!w) return 1;
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    RECT c{};
    GetClientRect(w, &c);
    print(std::to_wstring(origin.x) + L" " + std::to_wstring(origin.y) + L" " +
          std::to_wstring(c.right) + L" " + std::to_wstring(c.bottom) + L"\n");
    return 0;
}

// The caption of the first window of a class (windows whose caption changes).
int classTitle(const wchar_t* className) {
    HWND w = FindWindowW(className, nullptr);
    if (!w) return 1;
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    print(std::wstring(text) + L"\n");
    return 0;
}

// A top-level window with `title`, brought to the front; runs until the window is closed (a
// system-menu close included) and then ends.
int ownWindow(const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(w, msg, wp, lp);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvaNT.TestWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300,
                             240, 160, nullptr, nullptr, wc.hInstance, nullptr);
    if (!w) return 1;
    SetForegroundWindow(w);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// Every visible top-level window, a line each, topmost first: "window process left top right
// bottom class title".
int visibleWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    for (HWND w : found) {
        RECT r{};
        GetWindowRect(w, &r);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t text[512] = {}, className[256] = {};
        InternalGetWindowText(w, text, 512);
        GetClassNameW(w, className, 256);
        print(std::to_wstring(reinterpret_cast<uintptr_t>(w)) + L" " + std::to_wstring(pid) + L" " +
              std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
              std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom) + L" " + className +
              L" " + text + L"\n");
    }
    return 0;
}

// The work area of the screen a window may take: "left top right bottom".
int workArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return 1;
    print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom) + L"\n");
    return 0;
}

// The title of the window in the foreground.
int foregroundTitle() {
    HWND w = GetForegroundWindow();
    if (!w) return 1;
    wchar_t text[512] = {};
    InternalGetWindowText(w, text, 512);
    print(std::wstring(text) + L"\n");
    return 0;
}

}  // namespace winctl
