#include "platform/win32/shell_win32.h"

#include <objbase.h>
#include <shellapi.h>

#include <thread>

#include "platform/win32/ansi.h"

namespace win32 {

bool ShellWin32::open(const std::wstring& address) {
    // The shell may wait a long time on the handler (a DDE conversation with a browser that is
    // still starting); the windows must not freeze meanwhile, so the request runs beside them.
    std::thread([owner = owner_, address, folder = exeFolder()] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        ShellExecuteW(owner, L"open", address.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
        CoUninitialize();
    }).detach();
    return true;
}

}  // namespace win32
