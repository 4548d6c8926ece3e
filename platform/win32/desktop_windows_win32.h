#pragma once
#include "platform/desktop_windows.h"

namespace win32 {

class DesktopWindowsWin32 : public platform::DesktopWindows {
public:
    platform::WindowId foreground() override;
    std::wstring title(platform::WindowId window) override;
    std::vector<TitledWindow> topWindows() override;
    std::wstring titleKey(const std::wstring& title) override;
    void close(platform::WindowId window) override;
    std::optional<platform::WindowRect> rect(platform::WindowId window) override;
    void move(platform::WindowId window, int left, int top, int width, int height) override;
};

}  // namespace win32
