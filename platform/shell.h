#pragma once
#include <string>

namespace platform {

// Asks the shell to open an address with the user's default handler, without waiting for it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const std::wstring& address) = 0;  // false when it could not be asked
};

}  // namespace platform
