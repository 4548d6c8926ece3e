#pragma once

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;
    // The system's default beep.
    virtual void beep() = 0;
};

}  // namespace platform
