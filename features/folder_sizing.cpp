#include "features/folder_sizing.h"

#include <algorithm>

#include "base/texts.h"

namespace features {

bool isDrivePathTitle(const std::wstring& title) { return title.find(L":\\") == 1; }

bool FolderSizing::handled(platform::WindowId window) const {
    return std::find(handled_.begin(), handled_.end(), window) != handled_.end();
}

void FolderSizing::listHandles() {
    std::wstring text;
    for (platform::WindowId window : handled_) text += std::to_wstring(window) + L"\r\n";
    // The entry that the next window would take, still empty.
    if (handled_.size() < capacity_) text += L"0\r\n";
    fields_.handles = std::move(text);
}

bool FolderSizing::tick(platform::DesktopWindows& windows, TargetSize target) {
    platform::WindowId window = windows.foreground();
    std::wstring title = window ? windows.title(window) : std::wstring();
    fields_.title = title;
    if (fields_.handles.empty()) listHandles();
    if (window == 0 || !isDrivePathTitle(title) || handled(window) || handled_.size() >= capacity_)
        return false;
    std::optional<platform::WindowRect> rect = windows.rect(window);
    if (!rect) return false;
    windows.move(window, rect->left, rect->top, target.width, target.height);
    handled_.push_back(window);
    fields_.found = L"2";
    fields_.handle = base::format(base::Text::FolderCount, {std::to_wstring(handled_.size())});
    listHandles();
    return true;
}

}  // namespace features
