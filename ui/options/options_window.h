#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/options/page.h"
#include "ui/options/tab_host.h"
#include "ui/window_texts.h"

namespace ui::options {

// The options window: the pages of the live settings on ten tabs, the window buttons below them
// and the status bar. Created hidden at start-up; closing only hides it.
class OptionsWindow {
public:
    explicit OptionsWindow(PageContext context) : context_(std::move(context)) {}
    // The window and its pages go while the objects they call are still whole.
    ~OptionsWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    OptionsWindow(const OptionsWindow&) = delete;
    OptionsWindow& operator=(const OptionsWindow&) = delete;

    // Hidden, at (left, top) in screen pixels.
    bool create(HWND owner, int left, int top);
    HWND hwnd() const { return hwnd_; }
    bool visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

    // The menu entry: an empty status bar, the window shown with the model's values.
    void open();
    // "閉じる" and the title bar's close.
    void close();
    void showStatus(const std::wstring& text);

    std::function<void()> onSave;           // "設定保存"
    std::function<void()> onResetPosition;  // "位置初期化"
    std::function<void()> onResetSize;      // "サイズ初期化"

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp);
    void layoutStatusBar();
    // The readings the pages show only while the window is seen, as they are now.
    void catchUp();
    void changed(const settings::Change& change);

    PageContext context_;
    TabHost tabs_;
    WindowTexts texts_;
    HWND hwnd_ = nullptr;
    HWND statusBar_ = nullptr;
};

}  // namespace ui::options
