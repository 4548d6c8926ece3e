#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "platform/win32/unique_handle.h"
#include "ui/drawn_automation.h"
#include "ui/list_reading.h"
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
    // The DPI the window is drawn at (its monitor's).
    int dpi() const;
    void setBackground(COLORREF colour);
    std::function<void()> onClose;
    std::function<void(HDC, const RECT& client)> onPaint;  // draws the whole client area
    std::function<void(WPARAM buttons)> onButtonDown;      // MK_ flags of a left or right press
    // Whether the user may size the window by its edges ("ウインドウサイズ可変"). Only then has
    // it a sizing frame: the system raises a framed window to its minimum tracking size, and
    // Wine manages such a window (each hide waits for a window manager).
    void setResizable(bool on);
    // The left button went down in the list: the window follows the pointer until it is
    // released, as if dragged by a title bar.
    void startDrag();
    // The window moved to a monitor of another scale; it already has the suggested rectangle.
    std::function<void(int dpi)> onDpiChanged;

    // The list's rows for the keyboard and screen readers, and where a row lies in the client
    // area.
    void setReading(ListReading& reading, std::function<RECT(const monitor::ShownRow&)> rowRect);
    // Shift+F10 or the Menu key: the window's menu at `at` (screen).
    std::function<void(POINT at)> onMenuKey;
    std::function<void()> onCopy;  // Ctrl+C
    // The thin frame around the row the keyboard is on, drawn over the list once it is there.
    void drawFocus(HDC dc) const;

protected:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void onKey(WPARAM key);
    void openMenuFromKeyboard();
    // The row the keyboard is on as the focused object, for screen readers.
    void tellFocus() const;
    std::optional<RECT> focusedRect() const;
    void paint();
    void paintBorder();
    void followDrag();
    SizingEdge edgeAt(LPARAM screenPoint) const;

    COLORREF background_ = RGB(255, 255, 255);
    win32::CachedBrush backgroundBrush_;
    bool inSizeMove_ = false;  // the user is sizing or moving the window
    bool resizable_ = false;
    bool sizingByProgram_ = false;  // the list asks for a size: no minimum applies
    // A drag the window follows itself: where the pointer and the window were at the press.
    std::optional<POINT> dragPointer_;
    POINT dragWindow_{};
    // The list for screen readers: its rows as parts.
    class ListSource : public AutomationSource {
    public:
        explicit ListSource(const MainWindow& window) : window_(window) {}
        std::wstring name() const override;
        std::wstring value() const override { return {}; }
        int partCount() const override;
        std::wstring partName(int part) const override;
        std::wstring partValue(int part) const override;
        RECT partRect(int part) const override;
        std::optional<int> focusedPart() const override;

    private:
        const MainWindow& window_;
    };
    ListReading* reading_ = nullptr;
    std::function<RECT(const monitor::ShownRow&)> rowRect_;
    ListSource listSource_{*this};
    std::unique_ptr<DrawnAutomation> automation_;
};

}  // namespace ui
