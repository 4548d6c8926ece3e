#include "platform/win32/shell_win32.h"

#include <shellapi.h>

#include "platform/win32/ansi.h"

namespace win32 {

bool ShellWin32::open(const std::wstring& address) {
    std::wstring folder = exeFolder();
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner_, L"open", address.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace win32
