#pragma once
#include <cstdint>

namespace platform {

// The system's millisecond tick count since start: 32 bits, wraps after about 49.7 days.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t tickCount() = 0;
};

}  // namespace platform
