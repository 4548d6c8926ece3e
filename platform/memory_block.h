#pragma once
#include <cstdint>

namespace platform {

// A block of memory claimed from the system and written through, so that every page of it is
// really backed by physical memory while it is held.
class MemoryBlock {
public:
    virtual ~MemoryBlock() = default;
    // Commits `bytes` bytes and writes zeros into every one of them; false (and nothing held)
    // when the system cannot provide them.
    virtual bool claim(std::uint64_t bytes) = 0;
    // Gives the block back; nothing happens when none is held.
    virtual void release() = 0;
};

}  // namespace platform
