#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace win32 {

// Claims a settings file for this copy of the program: the first copy publishes its window under
// the file's name, a later copy finds that window instead of running beside it.
class CopyLock {
public:
    explicit CopyLock(const std::wstring& name);
    bool first() const { return first_; }
    void publish(HWND window);
    // The first copy's published window; waits up to `waitMs` for a copy that is still starting.
    HWND runningCopyWindow(DWORD waitMs) const;

private:
    UniqueKernelObject mapping_;
    UniqueView view_;
    bool first_ = true;
};

}  // namespace win32
