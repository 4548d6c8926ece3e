#pragma once
#include <cstdint>
#include <functional>

namespace platform {

// A block of memory claimed from the system, written through so that every page of it is really
// backed by physical memory, and given back at once. A large block takes seconds to write, so
// this happens away from the caller.
class MemoryBlock {
public:
    // Whether the system could provide the block.
    using Done = std::function<void(bool claimed)>;
    virtual ~MemoryBlock() = default;
    // Returns at once; `done` runs later on the calling (user-interface) thread, once the block
    // has been written and given back or could not be had.
    virtual void claimAndGiveBack(std::uint64_t bytes, Done done) = 0;
};

}  // namespace platform
