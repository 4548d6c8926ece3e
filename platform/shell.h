#pragma once
#include <string>

namespace platform {

// Asks the shell to open an address with the user's default handler.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const std::wstring& address) = 0;
};

}  // namespace platform
