#pragma once
#include <string>

namespace features {

// The text of the options window's status bar: where commands report what they did.
struct StatusBar {
    std::wstring text;
};

}  // namespace features
