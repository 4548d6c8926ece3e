#pragma once
#include "platform/clock.h"

namespace fakes {

// A clock that moves only when told; `step` is added after every reading.
class FakeClock : public platform::Clock {
public:
    std::uint32_t now = 0;
    std::uint32_t step = 0;
    std::uint32_t tickCount() override {
        std::uint32_t t = now;
        now += step;
        return t;
    }
};

}  // namespace fakes
