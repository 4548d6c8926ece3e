#pragma once
#include "platform/secret_box.h"

namespace win32 {

// DPAPI for the current user. crypt32 is loaded when a secret is first protected or opened, so
// that a session without tokens never carries it.
class SecretBoxWin32 : public platform::SecretBox {
public:
    std::optional<std::string> protect(std::string_view plain) override;
    std::optional<std::string> unprotect(std::string_view protectedBytes) override;
};

}  // namespace win32
