#pragma once
#include <windows.h>

#include "platform/shell.h"

namespace win32 {

// Opens addresses through the shell, owned by `owner`, with the program's folder as the working
// directory.
class ShellWin32 : public platform::Shell {
public:
    explicit ShellWin32(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }
    bool open(const std::wstring& address) override;

private:
    HWND owner_;
};

}  // namespace win32
