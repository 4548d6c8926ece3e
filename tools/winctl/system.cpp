
#include <string>
#include <vector>

#include "winctl.h"

namespace winctl {

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

// Holds the clipboard open for a window of its own, as a busy program does, for `milliseconds`.
// The window takes its title once the clipboard is held, so a test can wait for it.
int holdClipboard(int milliseconds) {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!w || !OpenClipboard(w)) return 2;
    SetWindowTextW(w, L"KorvaNT.ClipboardHolder");
    DWORD until = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (DWORD now = GetTickCount(); static_cast<int>(until - now) > 0; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, until - now, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    CloseClipboard();
    DestroyWindow(w);
    return 0;
}

// What the exe's version resource says: the file version, then each product name, one a line.
int versionInfo(const wchar_t* file) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0) return 1;
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(file, 0, size, block.data())) return 1;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) return 1;
    print(std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
          std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"\n");
    for (const wchar_t* language : {L"041104B0", L"040904B0"}) {
        wchar_t* name = nullptr;
        std::wstring path = std::wstring(L"\\StringFileInfo\\") + language + L"\\ProductName";
        if (VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&name), &length))
            print(std::wstring(name) + L"\n");
    }
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

}  // namespace winctl
