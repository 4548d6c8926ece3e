#pragma once
#include <vector>

#include "platform/memory_block.h"
#include "platform/sound.h"

namespace fakes {

// Records the blocks claimed; a claim beyond `available` bytes fails.
class FakeMemoryBlock : public platform::MemoryBlock {
public:
    std::uint64_t available = ~std::uint64_t{0};
    std::vector<std::uint64_t> claims;
    bool held = false;
    int releases = 0;

    bool claim(std::uint64_t bytes) override {
        if (bytes > available) return false;
        claims.push_back(bytes);
        held = true;
        return true;
    }
    void release() override {
        if (held) ++releases;
        held = false;
    }
};

class FakeSound : public platform::Sound {
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

}  // namespace fakes
