// A small helper for the end-to-end tests: finds, inspects and closes windows and reads the
// clipboard from inside Wine, where the X side cannot see Win32 state.
// Windows headers in the order they need.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
// clang-format on

#include <cstdio>
#include <cstring>
#include <string>

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
    if (command == L"clipboard") return clipboardText();
    if (command == L"client" && argc == 3) return client(findByTitle(argv[2]));
    if (command == L"classtitle" && argc == 3) return classTitle(argv[2]);
    if (command == L"interfaces") return interfaces();
    if (command == L"setclip" && argc == 3) return setClipboardText(argv[2]);
    if (command == L"menu") return describe(openPopupMenu());
    if (command == L"regvalue" && argc == 4) return registryValue(argv[2], argv[3]);
    return 64;
}
