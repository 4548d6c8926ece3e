#include "platform/win32/system_library.h"

#include <commctrl.h>

namespace win32 {

HMODULE systemLibrary(const wchar_t* name) {
    // Loading an already loaded library only counts it again: the count stays with the program.
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

bool commonControlsReady() {
    static const bool ready = [] {
        // By name alone, so that the manifest's activation context picks version 6.
        decltype(InitCommonControlsEx)* init = nullptr;
        if (!resolve(LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx", init)) return false;
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES;
        return init(&controls) != FALSE;
    }();
    return ready;
}

SystemInformationQuery systemInformationQuery() {
    SystemInformationQuery query = nullptr;
    resolve(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation", query);
    return query;
}

}  // namespace win32
