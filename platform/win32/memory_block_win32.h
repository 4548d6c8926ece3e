#pragma once
#include <windows.h>

#include <map>
#include <memory>

#include "platform/memory_block.h"
#include "platform/sound.h"

namespace win32 {

// Each block is committed, written and given back on a worker thread of its own that touches no
// window; the result comes back through a message to a hidden window of the thread that asked.
// An exit never waits for a worker: the process takes the block with it.
class MemoryBlockWin32 : public platform::MemoryBlock {
public:
    MemoryBlockWin32() = default;
    MemoryBlockWin32(const MemoryBlockWin32&) = delete;
    MemoryBlockWin32& operator=(const MemoryBlockWin32&) = delete;
    ~MemoryBlockWin32() override;

    void claimAndGiveBack(std::uint64_t bytes, Done done) override;

    struct Shared;  // what the workers and the window share

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    bool ensureWindow();
    void deliverFinished();

    std::shared_ptr<Shared> shared_;
    HWND window_ = nullptr;
    unsigned nextId_ = 0;
    std::map<unsigned, Done> waiting_;
};

class SoundWin32 : public platform::Sound {
public:
    void beep() override;
};

}  // namespace win32
