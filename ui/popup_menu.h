#pragma once
#include <windows.h>

#include <optional>

#include "ui/popup_menu_model.h"

namespace ui {

// Opens a prepared menu at the pointer (or at `at`, for a menu the keyboard opened), owned by
// `owner`, and waits until it closes. Returns the chosen command, 0 when none was chosen.
int trackPopupMenu(HWND owner, const PreparedMenu& menu, std::optional<POINT> at = std::nullopt);

// Places a window in the topmost band (mode 1) or takes it out (mode 0), showing it; any other
// mode does nothing.
void setTopmost(HWND window, int mode);
// Shows a window the user asked for above the program's other windows and makes it the active
// one, kept on top or not: taking it out of the topmost band alone leaves it where it was.
void showInFront(HWND window, bool alwaysOnTop);

}  // namespace ui
