#pragma once
#include <windows.h>

#include <map>
#include <memory>

#include "platform/page_fetcher.h"
#include "platform/win32/owned_window.h"

namespace win32 {

// Each fetch runs on a worker thread of its own that touches no window; its result comes back
// through a message to a hidden window of the user-interface thread. A fetch not back within
// the bound is given up there: its callback gets a failure at once, and its worker, whose every
// wait is bounded, ends on its own and closes what it opened. Exit never waits for a worker.
class PageFetcherWin32 : public platform::PageFetcher {
public:
    PageFetcherWin32() = default;
    ~PageFetcherWin32() override;
    PageFetcherWin32(const PageFetcherWin32&) = delete;
    PageFetcherWin32& operator=(const PageFetcherWin32&) = delete;

    void fetch(const std::wstring& url, Done done) override;

    struct Shared;  // what the workers and the window share

private:
    bool ensureWindow();
    void deliverArrived();
    void giveUp(UINT_PTR id);

    std::shared_ptr<Shared> shared_;
    MessageWindow window_;
    UINT_PTR nextId_ = 0;
    std::map<UINT_PTR, Done> waiting_;
};

}  // namespace win32
