#pragma once
#include "platform/win32/owned_window.h"

namespace ui {

// Every window of the program is one owned window: bound to its HWND at creation, its messages
// to one virtual handler.
using WindowBase = win32::OwnedWindow;

}  // namespace ui
