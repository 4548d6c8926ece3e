#pragma once
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/memory_block.h"
#include "platform/sound.h"

namespace fakes {

// Records the blocks asked for and holds each release until the test finishes it; a block
// beyond `available` bytes cannot be had.
class FakeMemoryBlock : public platform::MemoryBlock {
public:
    std::uint64_t available = ~std::uint64_t{0};
    std::vector<std::uint64_t> claims;

    void claimAndGiveBack(std::uint64_t bytes, Done done) override {
        claims.push_back(bytes);
        pending_.push_back({bytes, std::move(done)});
    }
    std::size_t pending() const { return pending_.size(); }
    // The oldest release comes back, as its message would on the user-interface thread.
    void finishOne() {
        if (pending_.empty()) return;
        Pending p = std::move(pending_.front());
        pending_.pop_front();
        if (p.done) p.done(p.bytes <= available);
    }
    void finishAll() {
        while (!pending_.empty()) finishOne();
    }

private:
    struct Pending {
        std::uint64_t bytes;
        Done done;
    };
    std::deque<Pending> pending_;
};

class FakeSound : public platform::Sound {
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

}  // namespace fakes
