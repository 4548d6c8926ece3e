#include "ui/window_texts.h"

#include <string>

namespace ui {
namespace {

void takeOne(HWND window, std::vector<std::pair<HWND, base::Text>>& named) {
    wchar_t current[64] = {};
    GetWindowTextW(window, current, 64);
    base::Text id{};
    if (current[0] != L'@' || !base::textNamed(current + 1, id)) return;
    named.emplace_back(window, id);
    SetWindowTextW(window, base::text(id));
}

// Only labels, buttons and frames: a text box's "@Save" is the user's own text.
BOOL CALLBACK takeChild(HWND child, LPARAM named) {
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    if (lstrcmpiW(kind, L"Static") == 0 || lstrcmpiW(kind, L"Button") == 0)
        takeOne(child, *reinterpret_cast<std::vector<std::pair<HWND, base::Text>>*>(named));
    return TRUE;
}

}  // namespace

void WindowTexts::take(HWND root) {
    takeOne(root, named_);
    EnumChildWindows(root, takeChild, reinterpret_cast<LPARAM>(&named_));
}

void WindowTexts::apply() const {
    for (const auto& [window, id] : named_)
        if (IsWindow(window)) SetWindowTextW(window, base::text(id));
}

}  // namespace ui
