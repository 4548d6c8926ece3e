#pragma once
#include <windows.h>

#include "ui/window_texts.h"

namespace ui {

// The window size window: resizable, never smaller than 200 x 200 pixels, showing its outer size
// in twips. Only its button hides it; its close box is refused.
class SizeWindow {
public:
    SizeWindow() = default;
    SizeWindow(const SizeWindow&) = delete;
    SizeWindow& operator=(const SizeWindow&) = delete;
    ~SizeWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    bool create(HWND owner, int width, int height);
    HWND hwnd() const { return hwnd_; }
    // Over `opener`, within the work area, and in front of the program's other windows: in the
    // topmost band when they are kept on top.
    void show(HWND opener, bool alwaysOnTop);
    // Its texts in the current language, the size too.
    void retext() {
        texts_.apply();
        showSize();
    }

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    void showSize();
    HWND hwnd_ = nullptr;
    WindowTexts texts_;
};

}  // namespace ui
