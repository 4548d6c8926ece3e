#include "platform/win32/copy_lock_win32.h"

namespace win32 {

CopyLock::CopyLock(const std::wstring& name) {
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(LONG64), name.c_str()));
    // Without the object there is no telling; running is better than never starting.
    if (!mapping_) return;
    first_ = GetLastError() != ERROR_ALREADY_EXISTS;
    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
}

void CopyLock::publish(HWND window) {
    if (!first_ || !view_) return;
    InterlockedExchange64(static_cast<volatile LONG64*>(view_.get()),
                          reinterpret_cast<LONG64>(window));
}

HWND CopyLock::runningCopyWindow(DWORD waitMs) const {
    if (first_ || !view_) return nullptr;
    auto* slot = static_cast<volatile LONG64*>(view_.get());
    for (DWORD waited = 0;; waited += 50) {
        auto window = reinterpret_cast<HWND>(InterlockedCompareExchange64(slot, 0, 0));
        if ((window && IsWindow(window)) || waited >= waitMs) return window;
        Sleep(50);  // the first copy is between claiming the file and creating its window
    }
}

}  // namespace win32
