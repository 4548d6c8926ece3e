#include "platform/win32/system_library.h"

namespace win32 {

HMODULE systemLibrary(const wchar_t* name) {
    // Loading an already loaded library only counts it again: the count stays with the program.
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

SystemInformationQuery systemInformationQuery() {
    SystemInformationQuery query = nullptr;
    resolve(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation", query);
    return query;
}

}  // namespace win32
