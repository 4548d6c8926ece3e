#pragma once
#include <windows.h>

#include <string>

namespace ui {

// A window object bound to its HWND at creation; messages go to one virtual handler.
class WindowBase {
public:
    virtual ~WindowBase();
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    bool create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                int x, int y, int width, int height, HBRUSH background = nullptr);
    virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

}  // namespace ui
