#include "platform/win32/memory_block_win32.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace win32 {

struct MemoryBlockWin32::Shared {
    std::mutex mutex;
    HWND window = nullptr;  // cleared when the owner goes
    std::vector<std::pair<unsigned, bool>> finished;
};

namespace {

constexpr UINT kFinished = WM_APP + 1;
constexpr wchar_t kClassName[] = L"KorvaNT.MemoryRelease";

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

void work(std::shared_ptr<MemoryBlockWin32::Shared> shared, unsigned id, std::uint64_t bytes) {
    bool claimed = claimWriteAndFree(bytes);
    std::lock_guard<std::mutex> lock(shared->mutex);
    if (!shared->window) return;
    shared->finished.emplace_back(id, claimed);
    PostMessageW(shared->window, kFinished, 0, 0);
}

}  // namespace

MemoryBlockWin32::~MemoryBlockWin32() {
    if (shared_) {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->window = nullptr;
    }
    if (window_) DestroyWindow(window_);
}

bool MemoryBlockWin32::ensureWindow() {
    if (window_) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    if (!window_) return false;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    shared_ = std::make_shared<Shared>();
    shared_->window = window_;
    return true;
}

void MemoryBlockWin32::claimAndGiveBack(std::uint64_t bytes, Done done) {
    if (!ensureWindow()) {
        if (done) done(false);
        return;
    }
    unsigned id = ++nextId_;
    waiting_[id] = std::move(done);
    try {
        std::thread(work, shared_, id, bytes).detach();
    } catch (const std::system_error&) {
        Done failed = std::move(waiting_[id]);
        waiting_.erase(id);
        if (failed) failed(false);
    }
}

void MemoryBlockWin32::deliverFinished() {
    std::vector<std::pair<unsigned, bool>> finished;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        finished.swap(shared_->finished);
    }
    for (auto& [id, claimed] : finished) {
        auto waiting = waiting_.find(id);
        if (waiting == waiting_.end()) continue;
        Done done = std::move(waiting->second);
        waiting_.erase(waiting);
        if (done) done(claimed);
    }
}

LRESULT CALLBACK MemoryBlockWin32::windowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MemoryBlockWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && msg == kFinished) {
        self->deliverFinished();
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

void SoundWin32::beep() { MessageBeep(MB_OK); }

}  // namespace win32
