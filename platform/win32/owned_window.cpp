#include "platform/win32/owned_window.h"

namespace win32 {

OwnedWindow::~OwnedWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool OwnedWindow::create(const wchar_t* className, const std::wstring& title, DWORD style,
                         DWORD exStyle, int x, int y, int width, int height, HBRUSH background) {
    return create(className, title, style, exStyle, x, y, width, height, nullptr, background);
}

bool OwnedWindow::createMessageOnly(const wchar_t* className) {
    return create(className, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

bool OwnedWindow::create(const wchar_t* className, const std::wstring& title, DWORD style,
                         DWORD exStyle, int x, int y, int width, int height, HWND parent,
                         HBRUSH background) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(instance, L"IDI_KORVANT");
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return false;
    }
    return CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, parent,
                           nullptr, instance, this) != nullptr;
}

LRESULT OwnedWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK OwnedWindow::procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<OwnedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<OwnedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return self->handle(msg, wp, lp);
}

bool MessageWindow::create(const wchar_t* className, Handler handler) {
    handler_ = std::move(handler);
    return createMessageOnly(className);
}

LRESULT MessageWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (handler_ && handler_(msg, wp, lp, result)) return result;
    return OwnedWindow::handle(msg, wp, lp);
}

}  // namespace win32
