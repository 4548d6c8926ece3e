
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
