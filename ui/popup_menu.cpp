#include "ui/popup_menu.h"

#include "platform/win32/unique_handle.h"

namespace ui {
namespace {

void append(HMENU menu, const MenuEntry& entry) {
    if (entry.separator) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    if (!entry.submenu.empty()) {
        HMENU sub = CreatePopupMenu();
        if (!sub) return;
        for (const MenuEntry& item : entry.submenu) append(sub, item);
        // The parent menu owns the submenu from here and destroys it with itself.
        if (!AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), entry.caption.c_str()))
            DestroyMenu(sub);
        return;
    }
    AppendMenuW(menu,
                MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED) |
                    (entry.enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(entry.command), entry.caption.c_str());
}

}  // namespace

int trackPopupMenu(HWND owner, const PreparedMenu& prepared, std::optional<POINT> place) {
    win32::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    for (const MenuEntry& entry : prepared.entries) append(menu.get(), entry);
    POINT at{};
    if (place)
        at = *place;
    else
        GetCursorPos(&at);
    // A popup menu closes at the first activation change unless its owner is in the foreground;
    // the posted message lets the menu close properly when the user clicks elsewhere.
    SetForegroundWindow(owner);
    // Both menus open on a right press: releasing that button over an entry chooses it.
    int command = static_cast<int>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                       at.x, at.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    return command;
}

void setTopmost(HWND window, int mode) {
    if (mode != 0 && mode != 1) return;
    SetWindowPos(window, mode == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void showInFront(HWND window, bool alwaysOnTop) {
    setTopmost(window, alwaysOnTop ? 1 : 0);
    if (!alwaysOnTop)
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

}  // namespace ui
