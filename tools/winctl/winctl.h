// A small helper for the end-to-end tests: finds, inspects and drives windows and reads the
// clipboard from inside Wine, where the X side cannot see Win32 state. Each command prints its
// answer on standard output and returns 0, or a non-zero code when it has no answer.
#pragma once
// Windows headers in the order they need.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <shellapi.h>
// clang-format on

#include <string>

namespace winctl {

void print(const std::wstring& text);

// Top-level windows (windows.cpp).
HWND findByTitle(const wchar_t* title);
// A window by its handle as "hwnd:NUMBER", else by its title or class.
HWND windowNamed(const wchar_t* name);
HWND control(const wchar_t* title, int id);
HWND openPopupMenu();
int menuTexts(HWND popup);
int describe(HWND w);
int client(HWND w);
int classTitle(const wchar_t* className);
int ownWindow(const wchar_t* title);
int foregroundTitle();
// The window's UI Automation element and its children: name TAB value, a line each.
int automationTree(HWND window);
int visibleWindows();
int workArea();

// Controls of the options window and its list pages (controls.cpp).
int controlState(HWND w);
int slide(HWND w, int position);
int tabRect(HWND w, int index);
int controlRect(HWND w);
int rowRect(HWND w, int row);
int listViewRows(HWND w);
int listViewState(HWND w, int row, UINT mask, UINT state);
int headerRect(HWND w, int column);
int listBoxItems(HWND w);
int balloons();
int toolTexts();
int windowTexts(HWND root);
int overflowingTexts(HWND root);

// The clipboard, the interface table and the registry (system.cpp).
int clipboardText();
int setClipboardText(const std::wstring& text);
int holdClipboard(int milliseconds);
int versionInfo(const wchar_t* file);
int interfaces();
int registryValue(const wchar_t* keyPath, const wchar_t* name);

}  // namespace winctl
