#pragma once
#include <functional>

#include "ui/window_base.h"

namespace ui {

// The visible monitor window: no caption, no controls; the refresh cycle draws all of it.
class MainWindow : public WindowBase {
public:
    bool create(HWND owner, int x, int y, int width, int height);
    void setBackground(COLORREF colour);
    std::function<void()> onClose;
    std::function<void(HDC, const RECT& client)> onPaint;  // draws the whole client area
    std::function<void(WPARAM buttons)> onButtonDown;      // MK_ flags of a left or right press

protected:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paint();
    COLORREF background_ = RGB(255, 255, 255);
};

}  // namespace ui
