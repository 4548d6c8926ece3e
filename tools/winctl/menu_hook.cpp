// Loaded by the system into the process that owns an open popup menu: a menu's entries live in
// its owner's memory under Wine, where no other process can read them. winctl hooks the menu's
// thread with this library and sends the menu window `winctl.menutexts`; the hook writes the
// entries into the shared memory of that name.
#include <windows.h>

#include <string>

namespace {

void entries(HMENU menu, const std::wstring& indent, std::wstring& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        out += indent + text + L"\n";
        if (HMENU sub = GetSubMenu(menu, i)) entries(sub, indent + L"  ", out);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK menuTextsHook(int code, WPARAM wp, LPARAM lp) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && sent->message == RegisterWindowMessageW(L"winctl.menutexts")) {
        std::wstring out;
        if (auto menu = reinterpret_cast<HMENU>(SendMessageW(sent->hwnd, MN_GETHMENU, 0, 0)))
            entries(menu, L"", out);
        if (HANDLE shared = OpenFileMappingW(FILE_MAP_WRITE, FALSE, L"winctl.menutexts")) {
            if (void* view = MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, 0)) {
                out.resize(std::min<size_t>(out.size(), 32767));
                memcpy(view, out.c_str(), (out.size() + 1) * sizeof(wchar_t));
                UnmapViewOfFile(view);
            }
            CloseHandle(shared);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}
