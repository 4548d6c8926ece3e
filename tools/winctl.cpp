// A small helper for the end-to-end tests: finds, inspects and closes windows and reads the
// clipboard from inside Wine, where the X side cannot see Win32 state.
// Windows headers in the order they need.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
// clang-format on

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

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

int clipboardText() {
    if (!OpenClipboard(nullptr)) return 2;
    int rc = 1;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* text = static_cast<const wchar_t*>(GlobalLock(h))) {
            print(text);
            GlobalUnlock(h);
            rc = 0;
        }
    }
    CloseClipboard();
    return rc;
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

// The interface table's descriptions in index order, one a line, as the adapter choice lists them.
int interfaces() {
    ULONG size = 0;
    GetIfTable(nullptr, &size, TRUE);
    std::string buffer(size, '\0');
    auto* table = reinterpret_cast<MIB_IFTABLE*>(buffer.data());
    if (GetIfTable(table, &size, TRUE) != NO_ERROR) return 1;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IFROW& row = table->table[i];
        const char* descr = reinterpret_cast<const char*>(row.bDescr);
        std::string name(descr, strnlen(descr, MAXLEN_IFDESCR));
        print(std::wstring(name.begin(), name.end()) + L"\n");
    }
    return 0;
}

int setClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return 2;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    int rc = 1;
    if (memory) {
        memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory))
            rc = 0;
        else
            GlobalFree(memory);
    }
    CloseClipboard();
    return rc;
}

// The open popup menu, if any: its window has the system's menu class.
HWND openPopupMenu() {
    HWND menu = nullptr;
    while ((menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)))
        if (IsWindowVisible(menu)) return menu;
    return nullptr;
}

// A value under HKEY_CURRENT_USER as "type text" (reg.exe misprints empty strings).
int registryValue(const wchar_t* keyPath, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return 1;
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof data - sizeof(wchar_t);
    LONG rc = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return 1;
    DWORD dword = 0;
    memcpy(&dword, data, sizeof dword);
    std::wstring text =
        type == REG_DWORD ? std::to_wstring(dword) : std::wstring(data, size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    print(std::to_wstring(type) + L" " + text + L"\n");
    return 0;
}

// A control of a window by its id, at any depth (the options window's pages are child dialogs).
HWND control(const wchar_t* title, int id) {
    HWND top = findByTitle(title);
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

// Memory in the process that owns `w`, for the messages whose structures cross processes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND w, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    void* address() const { return memory_; }
    bool read(void* out) const { return ReadProcessMemory(process_, memory_, out, size_, nullptr); }
    bool write(const void* in, size_t size, size_t offset = 0) const {
        return WriteProcessMemory(process_, static_cast<char*>(memory_) + offset, in, size,
                                  nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
    size_t size_;
};

// A control's state: "visible enabled checked position text".
int controlState(HWND w) {
    if (!w) return 1;
    wchar_t className[64] = {};
    GetClassNameW(w, className, 64);
    std::wstring text;
    LRESULT value = 0;
    if (_wcsicmp(className, TRACKBAR_CLASSW) == 0) {
        value = SendMessageW(w, TBM_GETPOS, 0, 0);
        text = std::to_wstring(SendMessageW(w, TBM_GETRANGEMIN, 0, 0)) + L"-" +
               std::to_wstring(SendMessageW(w, TBM_GETRANGEMAX, 0, 0));
    } else if (_wcsicmp(className, L"ComboBox") == 0) {
        value = SendMessageW(w, CB_GETCURSEL, 0, 0);
    } else if (_wcsicmp(className, STATUSCLASSNAMEW) == 0) {
        wchar_t buffer[512] = {};
        RemoteBuffer remote(w, sizeof buffer);
        if (!remote.address()) return 2;
        SendMessageW(w, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(remote.address()));
        remote.read(buffer);
        text = buffer;
    } else {
        value = SendMessageW(w, BM_GETCHECK, 0, 0);
    }
    if (text.empty()) {
        wchar_t buffer[512] = {};
        GetWindowTextW(w, buffer, 512);
        text = buffer;
    }
    print(std::to_wstring(IsWindowVisible(w) ? 1 : 0) + L" " +
          std::to_wstring(IsWindowEnabled(w) ? 1 : 0) + L" " + std::to_wstring(value) + L" " +
          text + L"\n");
    return 0;
}

// Moves a slider as the user would: the position, then the notifications its parent gets.
int slide(HWND w, int position) {
    if (!w) return 1;
    SendMessageW(w, TBM_SETPOS, TRUE, position);
    HWND parent = GetParent(w);
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(w));
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(w));
    return 0;
}

// The screen rectangle of a tab of a tab control: "left top right bottom".
int tabRect(HWND w, int index) {
    if (!w) return 1;
    RECT r{};
    RemoteBuffer remote(w, sizeof r);
    if (!remote.address()) return 2;
    if (!SendMessageW(w, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.address())))
        return 1;
    remote.read(&r);
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom) + L"\n");
    return 0;
}

// ---- list views and list boxes of the options window's list pages

// Every row of a list view: "checked selected" and then each column's text, tab-separated.
int listViewRows(HWND w) {
    if (!w) return 1;
    int rows = static_cast<int>(SendMessageW(w, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(w, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    constexpr size_t kChars = 256;
    RemoteBuffer remote(w, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.address()) return 2;
    auto* text = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(LVITEMW));
    for (int row = 0; row < rows; ++row) {
        auto state = static_cast<UINT>(
            SendMessageW(w, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK | LVIS_SELECTED));
        std::wstring line = std::to_wstring((state >> 12) == 2 ? 1 : 0) + L" " +
                            std::to_wstring(state & LVIS_SELECTED ? 1 : 0);
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = kChars;
            remote.write(&item, sizeof item);
            SendMessageW(w, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.address()));
            std::vector<char> all(sizeof(LVITEMW) + kChars * sizeof(wchar_t));
            remote.read(all.data());
            std::wstring cell(reinterpret_cast<const wchar_t*>(all.data() + sizeof(LVITEMW)));
            line += L"\t" + cell;
        }
        print(line + L"\n");
    }
    return 0;
}

// Sets a row's state as a click would: its check box (state 1 or 2), or its selection.
int listViewState(HWND w, int row, UINT mask, UINT state) {
    if (!w) return 1;
    RemoteBuffer remote(w, sizeof(LVITEMW));
    if (!remote.address()) return 2;
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    remote.write(&item, sizeof item);
    return SendMessageW(w, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote.address())) ? 0
                                                                                              : 1;
}

// The screen rectangle of a list view's column header: "left top right bottom".
int headerRect(HWND w, int column) {
    if (!w) return 1;
    HWND header = reinterpret_cast<HWND>(SendMessageW(w, LVM_GETHEADER, 0, 0));
    RECT r{};
    RemoteBuffer remote(header, sizeof r);
    if (!header || !remote.address()) return 2;
    if (!SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(remote.address())))
        return 1;
    remote.read(&r);
    MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
    print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom) + L"\n");
    return 0;
}

// Every entry of a list box, one a line (the window system carries the text across).
int listBoxItems(HWND w) {
    if (!w) return 1;
    int count = static_cast<int>(SendMessageW(w, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(w, LB_GETTEXTLEN, i, 0)) + 1);
        SendMessageW(w, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        print(std::wstring(text.data()) + L"\n");
    }
    return 0;
}

// ---- windows of the test's own, standing in for other programs' windows

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

// The title of the window in the foreground.
int foregroundTitle() {
    HWND w = GetForegroundWindow();
    if (!w) return 1;
    wchar_t text[512] = {};
    InternalGetWindowText(w, text, 512);
    print(std::wstring(text) + L"\n");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 64;
    std::wstring command = argv[1];
    if (command == L"find" && argc == 3) return describe(findByTitle(argv[2]));
    if (command == L"close" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        return w && PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == L"title" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        if (!w) return 1;
        wchar_t text[512] = {};
        InternalGetWindowText(w, text, 512);
        print(std::wstring(text) + L"\n");
        return 0;
    }
    if (command == L"closehandle" && argc == 3) {
        auto w = reinterpret_cast<HWND>(static_cast<uintptr_t>(_wtoi64(argv[2])));
        return PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == L"window" && argc == 3) return ownWindow(argv[2]);
    if (command == L"foreground") return foregroundTitle();
    if (command == L"front" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        return w && SetForegroundWindow(w) ? 0 : 1;
    }
    if (command == L"resize" && argc == 5) {
        HWND w = findByTitle(argv[2]);
        return w && SetWindowPos(w, nullptr, 0, 0, _wtoi(argv[3]), _wtoi(argv[4]),
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (command == L"clipboard") return clipboardText();
    if (command == L"client" && argc == 3) return client(findByTitle(argv[2]));
    if (command == L"classtitle" && argc == 3) return classTitle(argv[2]);
    if (command == L"interfaces") return interfaces();
    if (command == L"setclip" && argc == 3) return setClipboardText(argv[2]);
    if (command == L"menu") return describe(openPopupMenu());
    if (command == L"regvalue" && argc == 4) return registryValue(argv[2], argv[3]);
    // Controls of a window, by the window's title and the control's id.
    if (command == L"control" && argc == 4) return controlState(control(argv[2], _wtoi(argv[3])));
    if (command == L"click" && argc == 4) {
        // Posted: a button that opens a modal dialog would keep a sent message waiting.
        HWND w = control(argv[2], _wtoi(argv[3]));
        return w && PostMessageW(w, BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (command == L"slide" && argc == 5)
        return slide(control(argv[2], _wtoi(argv[3])), _wtoi(argv[4]));
    if (command == L"settext" && argc == 5) {
        HWND w = control(argv[2], _wtoi(argv[3]));
        return w && SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    }
    if (command == L"tabrect" && argc == 5)
        return tabRect(control(argv[2], _wtoi(argv[3])), _wtoi(argv[4]));
    // The list pages' list views and list boxes, by the window's title and the control's id.
    if (argc >= 4 && command.rfind(L"lv", 0) == 0) {
        HWND w = control(argv[2], _wtoi(argv[3]));
        if (command == L"lvrows") return listViewRows(w);
        if (command == L"lvcheck" && argc == 6)
            return listViewState(w, _wtoi(argv[4]), LVIS_STATEIMAGEMASK,
                                 INDEXTOSTATEIMAGEMASK(_wtoi(argv[5]) ? 2 : 1));
        if (command == L"lvselect" && argc == 5)
            return listViewState(w, _wtoi(argv[4]), LVIS_SELECTED | LVIS_FOCUSED,
                                 LVIS_SELECTED | LVIS_FOCUSED);
        if (command == L"lvheaderrect" && argc == 5) return headerRect(w, _wtoi(argv[4]));
    }
    if (command == L"lbitems" && argc == 4) return listBoxItems(control(argv[2], _wtoi(argv[3])));
    if (command == L"lbselect" && argc == 5) {
        HWND w = control(argv[2], _wtoi(argv[3]));
        return w && SendMessageW(w, LB_SETCURSEL, _wtoi(argv[4]), 0) != LB_ERR ? 0 : 1;
    }
    return 64;
}
