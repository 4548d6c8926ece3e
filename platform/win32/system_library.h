#pragma once
#include <windows.h>

namespace win32 {

// A system library that rare work needs (the colour dialog, a page fetch), loaded when that work
// is first done rather than at start-up, from the system folder alone (never a namesake beside
// the exe). Each call counts the library once more; a caller lets it go with FreeLibrary only
// when the library leaves nothing behind (the colour dialog's would leave its window classes).
// nullptr when it cannot be loaded.
HMODULE systemLibrary(const wchar_t* name);

// `to` set to the library's function `name`; false when the library or the function is missing.
template <class Function>
bool resolve(HMODULE library, const char* name, Function*& to) {
    FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    to = reinterpret_cast<Function*>(reinterpret_cast<void*>(found));
    return to != nullptr;
}

// The common controls (version 6, as the exe's manifest asks) with their classes registered,
// for the windows made of them. Loaded on the first call and kept. Under Wine the library builds
// three 256-pixel tooltip icons as it loads (768 KB), which a session that never opens such a
// window need not carry. False when they cannot be had.
bool commonControlsReady();

// ntdll's NtQuerySystemInformation, which every process has loaded; nullptr where it is missing.
using SystemInformationQuery = long(__stdcall*)(int, void*, unsigned long, unsigned long*);
SystemInformationQuery systemInformationQuery();

}  // namespace win32
