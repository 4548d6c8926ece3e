#pragma once
#include <string>

namespace platform {

enum class MessageIcon { None, Error };

// Modal message boxes; the one place the program interrupts the user.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void messageBox(const std::wstring& text, MessageIcon icon) = 0;
};

}  // namespace platform
