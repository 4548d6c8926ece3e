#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "base/texts.h"

namespace ui {

// The texts of windows made from templates. A template names a control's text ("@Save"); the
// control then shows that text in the current language, now and after every change of language.
class WindowTexts {
public:
    // `root` and every window inside it whose text names a text.
    void take(HWND root);
    // Every taken window's text again, in the current language.
    void apply() const;

private:
    std::vector<std::pair<HWND, base::Text>> named_;
};

}  // namespace ui
