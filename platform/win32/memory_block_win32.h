#pragma once
#include <windows.h>

#include "platform/memory_block.h"
#include "platform/sound.h"
#include "platform/win32/worker_results.h"

namespace win32 {

// Each block is committed, written and given back on a worker thread of its own that touches no
// window; the result comes back through a message to a hidden window of the thread that asked.
// An exit never waits for a worker: the process takes the block with it.
class MemoryBlockWin32 : public platform::MemoryBlock {
public:
    void claimAndGiveBack(std::uint64_t bytes, Done done) override;

private:
    WorkerResults<bool> workers_{L"KorvaNT.MemoryRelease"};
};

class SoundWin32 : public platform::Sound {
public:
    void beep() override;
};

}  // namespace win32
