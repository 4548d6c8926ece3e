#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/page_fetcher.h"
#include "platform/page_request.h"
#include "platform/win32/owned_window.h"
#include "platform/win32/worker_results.h"

namespace platform {
class SocketPageFetch;
}

namespace win32 {

class TcpSocketWin32;

// Plain-http pages are fetched on the user-interface thread over a socket whose events come as
// messages: no thread and no HTTP library stays behind in a program that fetched its address at
// start-up. https pages go to WinHTTP on a worker thread of their own (loaded for that fetch
// only). Every fetch, redirections included, is answered within the client's bound; one not
// back by then is given up and what it opened is closed. Exit never waits for a fetch.
class PageFetcherWin32 : public platform::PageFetcher {
public:
    // The browser's proxy, read when a fetch starts; none when no lookup is given.
    using ProxyLookup = std::function<platform::BrowserProxy()>;
    explicit PageFetcherWin32(ProxyLookup proxy = {});
    ~PageFetcherWin32() override;
    PageFetcherWin32(const PageFetcherWin32&) = delete;
    PageFetcherWin32& operator=(const PageFetcherWin32&) = delete;

    void fetch(const std::wstring& url, Done done) override;
    void ask(const platform::PageAsk& ask, Answered answered) override;

private:
    struct Running;
    void fetchFrom(platform::PageAsk ask, Answered answered, int hops, ULONGLONG deadline);
    void answerLater(Answered answered, platform::PageAnswer::Failure failure);
    void onMessage(UINT msg, WPARAM wp);
    std::unique_ptr<Running> takeBack(UINT_PTR id);

    ProxyLookup proxy_;
    MessageWindow window_;
    UINT_PTR nextId_ = 0;
    std::map<UINT_PTR, std::unique_ptr<Running>> running_;
    WorkerResults<platform::PageAnswer> workers_{L"KorvaNT.Fetches"};
};

}  // namespace win32
