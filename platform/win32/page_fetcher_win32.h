#pragma once
#include <windows.h>

#include "platform/page_fetcher.h"
#include "platform/win32/worker_results.h"

namespace win32 {

// Each fetch runs on a worker thread of its own that touches no window; its result comes back
// through a message to a hidden window of the user-interface thread. A fetch not back within
// the bound is given up there: its callback gets a failure at once, and its worker, whose every
// wait is bounded, ends on its own and closes what it opened. Exit never waits for a worker.
class PageFetcherWin32 : public platform::PageFetcher {
public:
    void fetch(const std::wstring& url, Done done) override;

private:
    WorkerResults<platform::HttpResponse> workers_{L"KorvaNT.Fetches"};
};

}  // namespace win32
