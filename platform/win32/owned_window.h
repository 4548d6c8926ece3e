#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace win32 {

// A window of the program: its class registered once per process, its HWND destroyed with the
// object, its messages handed to one handler. Neither copied nor moved: the window knows it.
class OwnedWindow {
public:
    virtual ~OwnedWindow();
    OwnedWindow() = default;
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    bool create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                int x, int y, int width, int height, HBRUSH background = nullptr);
    // A window that is never shown and only receives messages.
    bool createMessageOnly(const wchar_t* className);
    virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

private:
    bool create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                int x, int y, int width, int height, HWND parent, HBRUSH background);
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

// A message-only window whose messages go to a function: the services' sockets, fetches and
// watchers hear the system through one of these.
class MessageWindow : public OwnedWindow {
public:
    // True when the handler answered the message, with its result in `result`.
    using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

    bool create(const wchar_t* className, Handler handler);

protected:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    Handler handler_;
};

}  // namespace win32
