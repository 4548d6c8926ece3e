#include "platform/win32/dialogs_win32.h"

#include <windows.h>

#include "base/texts.h"

namespace win32 {

void DialogsWin32::messageBox(const std::wstring& text, platform::MessageIcon icon) {
    UINT flags = MB_OK | (icon == platform::MessageIcon::Error ? MB_ICONERROR : 0);
    MessageBoxW(nullptr, text.c_str(), base::text(base::Text::ProductName), flags);
}

}  // namespace win32
