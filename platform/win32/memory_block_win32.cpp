#include "platform/win32/memory_block_win32.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace win32 {

bool MemoryBlockWin32::claim(std::uint64_t bytes) {
    release();
    if (bytes == 0) return true;
    if (bytes > SIZE_MAX) return false;
    auto size = static_cast<SIZE_T>(bytes);
    block_ = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!block_) return false;
    // Committed pages are backed only once written: every byte is.
    std::memset(block_, 0, size);
    return true;
}

void MemoryBlockWin32::release() {
    if (block_) VirtualFree(block_, 0, MEM_RELEASE);
    block_ = nullptr;
}

void SoundWin32::beep() { MessageBeep(MB_OK); }

}  // namespace win32
