#pragma once
#include "platform/dialogs.h"

namespace win32 {

class DialogsWin32 : public platform::Dialogs {
public:
    void messageBox(const std::wstring& text, platform::MessageIcon icon) override;
};

}  // namespace win32
