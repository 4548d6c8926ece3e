#pragma once
#include <functional>
#include <string>

namespace features {

// The text of the options window's status bar: where commands report what they did. Commands
// write through show(), so the window's bar follows at once.
struct StatusBar {
    std::wstring text;
    std::function<void(const std::wstring&)> onChange;

    void show(const std::wstring& message) {
        text = message;
        if (onChange) onChange(text);
    }
};

}  // namespace features
