
#include <string>

#include "winctl.h"

using namespace winctl;

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 64;
    std::wstring command = argv[1];
    if (command == L"find" && argc == 3) return describe(findByTitle(argv[2]));
    if (command == L"close" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        return w && PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == L"title" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        if (!w) return 1;
        wchar_t text[512] = {};
        InternalGetWindowText(w, text, 512);
        print(std::wstring(text) + L"\n");
        return 0;
    }
    if (command == L"closehandle" && argc == 3) {
        auto w = reinterpret_cast<HWND>(static_cast<uintptr_t>(_wtoi64(argv[2])));
        return PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    // Whether the window's thread takes a message within two seconds: it is not held.
    if (command == L"answers" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        DWORD_PTR result = 0;
        return w && SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) ? 0 : 1;
    }
    if (command == L"window" && argc == 3) return ownWindow(argv[2]);
    if (command == L"foreground") return foregroundTitle();
    if (command == L"front" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        return w && SetForegroundWindow(w) ? 0 : 1;
    }
    if (command == L"resize" && argc == 5) {
        HWND w = findByTitle(argv[2]);
        return w && SetWindowPos(w, nullptr, 0, 0, _wtoi(argv[3]), _wtoi(argv[4]),
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (command == L"clipboard") return clipboardText();
    if (command == L"client" && argc == 3) return client(windowNamed(argv[2]));
    if (command == L"classtitle" && argc == 3) return classTitle(argv[2]);
    if (command == L"interfaces") return interfaces();
    if (command == L"setclip" && argc == 3) return setClipboardText(argv[2]);
    if (command == L"holdclip" && argc == 3) return holdClipboard(_wtoi(argv[2]));
    if (command == L"version" && argc == 3) return versionInfo(argv[2]);
    if (command == L"menu") return describe(openPopupMenu());
    if (command == L"menutexts") return menuTexts(openPopupMenu());
    if (command == L"balloons") return balloons();
    if (command == L"tooltexts") return toolTexts();
    if (command == L"windows") return visibleWindows();
    if (command == L"workarea") return workArea();
    // The top-level window holding a control of this id (for a window without a title).
    if (command == L"holding" && argc == 3) {
        struct Search {
            int id;
            HWND found;
        } search{_wtoi(argv[2]), nullptr};
        EnumWindows(
            [](HWND w, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                if (!GetDlgItem(w, s->id)) return TRUE;
                s->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return describe(search.found);
    }
    // The top-level window a user sees at a screen point.
    if (command == L"at" && argc == 4)
        return describe(GetAncestor(WindowFromPoint({_wtoi(argv[2]), _wtoi(argv[3])}), GA_ROOT));
    if (command == L"regvalue" && argc == 4) return registryValue(argv[2], argv[3]);
    // Controls of a window, by the window's title and the control's id.
    if (command == L"control" && argc == 4) return controlState(control(argv[2], _wtoi(argv[3])));
    if (command == L"click" && argc == 4) {
        // Posted: a button that opens a modal dialog would keep a sent message waiting.
        HWND w = control(argv[2], _wtoi(argv[3]));
        return w && PostMessageW(w, BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (command == L"slide" && argc == 5)
        return slide(control(argv[2], _wtoi(argv[3])), _wtoi(argv[4]));
    if (command == L"settext" && argc == 5) {
        HWND w = control(argv[2], _wtoi(argv[3]));
        return w && SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    }
    if (command == L"rect" && argc == 4) return controlRect(control(argv[2], _wtoi(argv[3])));
    if (command == L"tabrect" && argc == 5)
        return tabRect(control(argv[2], _wtoi(argv[3])), _wtoi(argv[4]));
    // The list pages' list views and list boxes, by the window's title and the control's id.
    if (argc >= 4 && command.rfind(L"lv", 0) == 0) {
        HWND w = control(argv[2], _wtoi(argv[3]));
        if (command == L"lvrows") return listViewRows(w);
        if (command == L"lvcheck" && argc == 6)
            return listViewState(w, _wtoi(argv[4]), LVIS_STATEIMAGEMASK,
                                 INDEXTOSTATEIMAGEMASK(_wtoi(argv[5]) ? 2 : 1));
        if (command == L"lvselect" && argc == 5)
            return listViewState(w, _wtoi(argv[4]), LVIS_SELECTED | LVIS_FOCUSED,
                                 LVIS_SELECTED | LVIS_FOCUSED);
        if (command == L"lvheaderrect" && argc == 5) return headerRect(w, _wtoi(argv[4]));
        if (command == L"lvrowrect" && argc == 5) return rowRect(w, _wtoi(argv[4]));
        // The first row shown and the first row selected (-1: none).
        if (command == L"lvplace" && w) {
            print(std::to_wstring(SendMessageW(w, LVM_GETTOPINDEX, 0, 0)) + L" " +
                  std::to_wstring(
                      SendMessageW(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) +
                  L"\n");
            return 0;
        }
    }
    // Every text a window shows, and those that do not fit their controls.
    if (command == L"texts" && argc == 3) return windowTexts(findByTitle(argv[2]));
    if (command == L"overflow" && argc == 3) return overflowingTexts(windowNamed(argv[2]));
    if (command == L"lbitems" && argc == 4) return listBoxItems(control(argv[2], _wtoi(argv[3])));
    if (command == L"lbselect" && argc == 5) {
        HWND w = control(argv[2], _wtoi(argv[3]));
        return w && SendMessageW(w, LB_SETCURSEL, _wtoi(argv[4]), 0) != LB_ERR ? 0 : 1;
    }
    // Takes a window's notification icon (id 1) away, as a shell that ends loses every icon.
    if (command == L"dropicon" && argc == 3) {
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = FindWindowW(argv[2], nullptr);
        icon.uID = 1;
        return icon.hWnd && Shell_NotifyIconW(NIM_DELETE, &icon) ? 0 : 1;
    }
    // A log-off as the system tells a window of it: asked first, then told that it ends.
    if (command == L"endsession" && argc == 3) {
        HWND w = findByTitle(argv[2]);
        DWORD_PTR answer = 0;
        if (!w || !SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                       SMTO_ABORTIFHUNG, 5000, &answer))
            return 1;
        SendMessageTimeoutW(w, WM_ENDSESSION, answer ? TRUE : FALSE, ENDSESSION_LOGOFF,
                            SMTO_ABORTIFHUNG, 5000, &answer);
        return 0;
    }
    // A registered message to every top-level window, as the shell sends "TaskbarCreated".
    // Every window is told that the display changed, as after a change of resolution.
    if (command == L"displaychange") {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(
            HWND_BROADCAST, WM_DISPLAYCHANGE, 32,
            MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)),
            SMTO_ABORTIFHUNG, 5000, &result);
        return 0;
    }
    // What the shell tells an icon of version 4 when the keyboard is on it (Wine's tray has no
    // keyboard of its own): Enter ("select") or the Menu key ("menu"), with the icon's anchor.
    if (command == L"traykey" && argc == 4) {
        HWND w = findByTitle(argv[2]);
        const UINT event = wcscmp(argv[3], L"menu") == 0 ? WM_CONTEXTMENU : WM_USER + 1;
        return w && PostMessageW(w, WM_APP + 1, MAKEWPARAM(10, 10), MAKELPARAM(event, 1)) ? 0 : 1;
    }
    if (command == L"automation" && argc == 3) return automationTree(windowNamed(argv[2]));
    if (command == L"foregroundclass") {
        wchar_t name[256] = {};
        HWND w = GetForegroundWindow();
        if (!w || !GetClassNameW(w, name, 256)) return 1;
        print(std::wstring(name) + L"\n");
        return 0;
    }
    if (command == L"broadcast" && argc == 3)
        return PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(argv[2]), 0, 0) ? 0 : 1;
    return 64;
}
