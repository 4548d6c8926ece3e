// A small helper for the end-to-end tests: finds, inspects and closes windows and reads the
// clipboard from inside Wine, where the X side cannot see Win32 state.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

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

HWND findByTitle(const wchar_t* title) { return FindWindowW(nullptr, title); }

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
        GetWindowTextW(w, text, 512);
        print(std::wstring(text) + L"\n");
        return 0;
    }
    if (command == L"clipboard") return clipboardText();
    if (command == L"client" && argc == 3) return client(findByTitle(argv[2]));
    if (command == L"classtitle" && argc == 3) return classTitle(argv[2]);
    if (command == L"interfaces") return interfaces();
    return 64;
}
