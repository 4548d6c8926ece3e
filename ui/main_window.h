#pragma once
#include <functional>

#include "ui/main_window_size.h"
#include "ui/window_base.h"

namespace ui {

// The visible monitor window: no caption, no controls; the refresh cycle draws all of it.
class MainWindow : public WindowBase {
public:
    // Placed at (x, y) with the given client area; the frame is added around it.
    bool create(HWND owner, int x, int y, ClientSize client);
    // The one way the window is sized by the program: the tick, "サイズ初期化" and start-up.
    // Only a change reaches the window system.
    void setClientSize(ClientSize client);
    ClientSize clientSize() const;
    void setBackground(COLORREF colour);
    std::function<void()> onClose;
    std::function<void(HDC, const RECT& client)> onPaint;  // draws the whole client area
    std::function<void(WPARAM buttons)> onButtonDown;      // MK_ flags of a left or right press
    // Whether the user may size the window by its edges ("ウインドウサイズ可変"), asked as the
    // pointer moves over it.
    std::function<bool()> resizable;

protected:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paint();
    SizingEdge edgeAt(LPARAM screenPoint) const;
    void startSizing(SizingEdge edge);
    void followSizing();

    COLORREF background_ = RGB(255, 255, 255);
    // A drag of an edge in progress: the edge, where the pointer and the window started.
    SizingEdge sizing_ = SizingEdge::None;
    POINT sizingFrom_{};
    ScreenRect sizingStart_;
};

}  // namespace ui
