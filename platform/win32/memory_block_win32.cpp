#include "platform/win32/memory_block_win32.h"

#include <cstdint>
#include <cstring>

namespace win32 {

namespace {

bool claimWriteAndFree(std::uint64_t bytes) {
    if (bytes == 0) return true;
    if (bytes > SIZE_MAX) return false;
    auto size = static_cast<SIZE_T>(bytes);
    void* block = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!block) return false;
    // Committed pages are backed only once written: every byte is.
    std::memset(block, 0, size);
    VirtualFree(block, 0, MEM_RELEASE);
    return true;
}

}  // namespace

void MemoryBlockWin32::claimAndGiveBack(std::uint64_t bytes, Done done) {
    if (!workers_.start([bytes] { return claimWriteAndFree(bytes); }, done) && done) done(false);
}

void SoundWin32::beep() { MessageBeep(MB_OK); }

}  // namespace win32
