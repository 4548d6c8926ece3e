#pragma once
#include "platform/memory_block.h"
#include "platform/sound.h"

namespace win32 {

// Committed with VirtualAlloc and given back with VirtualFree; a block still held goes with
// its owner.
class MemoryBlockWin32 : public platform::MemoryBlock {
public:
    MemoryBlockWin32() = default;
    MemoryBlockWin32(const MemoryBlockWin32&) = delete;
    MemoryBlockWin32& operator=(const MemoryBlockWin32&) = delete;
    ~MemoryBlockWin32() override { release(); }
    bool claim(std::uint64_t bytes) override;
    void release() override;

private:
    void* block_ = nullptr;
};

class SoundWin32 : public platform::Sound {
public:
    void beep() override;
};

}  // namespace win32
