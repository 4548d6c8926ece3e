#include "platform/win32/page_fetcher_win32.h"

#include <utility>

#include "base/version.h"
#include "platform/socket_page_fetch.h"
#include "platform/win32/ansi.h"
#include "platform/win32/http_client_winhttp.h"
#include "platform/win32/tcp_socket_win32.h"

namespace win32 {
namespace {

constexpr UINT kFinished = WM_APP + 1;  // wp: the fetch's id
constexpr UINT kAnswer = WM_APP + 2;    // a failure answered from the message loop
constexpr int kMaxRedirections = 10;    // as many as WinHTTP follows
constexpr char kUserAgent[] = "KorvaNT/" KORVANT_VERSION_DOTTED;

}  // namespace

struct PageFetcherWin32::Running {
    Done done;
    int hops = 0;
    ULONGLONG deadline = 0;
    std::unique_ptr<TcpSocketWin32> socket;  // none for a failure answered later
    std::unique_ptr<platform::SocketPageFetch> fetch;
    platform::SocketPageFetch::Outcome outcome;
};

PageFetcherWin32::PageFetcherWin32(ProxyLookup proxy) : proxy_(std::move(proxy)) {}

PageFetcherWin32::~PageFetcherWin32() = default;

void PageFetcherWin32::fetch(const std::wstring& url, Done done) {
    fetchFrom(url, std::move(done), 0, GetTickCount64() + HttpClientWinHttp::kTimeoutMs);
}

void PageFetcherWin32::fetchFrom(const std::wstring& url, Done done, int hops, ULONGLONG deadline) {
    if (!window_.hwnd() &&
        !window_.create(L"KorvaNT.PageFetches", [this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
            if (msg != kFinished && msg != kAnswer && msg != WM_TIMER) return false;
            onMessage(msg, wp);
            return true;
        })) {
        if (done) done({});
        return;
    }
    const ULONGLONG now = GetTickCount64();
    auto page = platform::parsePageAddress(url);
    if (!page || now >= deadline || hops > kMaxRedirections) return answerLater(std::move(done));
    const UINT left = static_cast<UINT>(deadline - now);

    // WinHTTP for what a plain socket cannot carry: TLS, and hosts written as IPv6 addresses.
    if (page->secure || page->host.front() == L'[') {
        if (!workers_.start([url] { return HttpClientWinHttp().get(url); }, done, left))
            answerLater(std::move(done));
        return;
    }
    std::optional<platform::Endpoint> proxy;
    if (proxy_) proxy = platform::httpProxyFor(*page, proxy_());

    const UINT_PTR id = ++nextId_;
    auto running = std::make_unique<Running>();
    running->done = std::move(done);
    running->hops = hops;
    running->deadline = deadline;
    Running& r = *running;
    r.socket = std::make_unique<TcpSocketWin32>();
    r.fetch = std::make_unique<platform::SocketPageFetch>(
        *r.socket, std::move(*page), std::move(proxy), kUserAgent, HttpClientWinHttp::kMaxBodyBytes,
        [this, id, &r](platform::SocketPageFetch::Outcome outcome) {
            // Called from within the socket's own message: it is closed after that returns.
            r.outcome = std::move(outcome);
            PostMessageW(window_.hwnd(), kFinished, id, 0);
        });
    running_.emplace(id, std::move(running));
    SetTimer(window_.hwnd(), id, left, nullptr);
    r.fetch->start();
}

void PageFetcherWin32::answerLater(Done done) {
    if (!done) return;
    // The caller hears of a failure as of any result: after fetch() has returned.
    const UINT_PTR id = ++nextId_;
    auto running = std::make_unique<Running>();
    running->done = std::move(done);
    running_.emplace(id, std::move(running));
    PostMessageW(window_.hwnd(), kAnswer, id, 0);
}

std::unique_ptr<PageFetcherWin32::Running> PageFetcherWin32::takeBack(UINT_PTR id) {
    KillTimer(window_.hwnd(), id);
    auto found = running_.find(id);
    if (found == running_.end()) return nullptr;
    std::unique_ptr<Running> running = std::move(found->second);
    running_.erase(found);
    return running;
}

void PageFetcherWin32::onMessage(UINT msg, WPARAM wp) {
    std::unique_ptr<Running> running = takeBack(wp);
    if (!running) return;
    // A timer is the bound: the fetch is given up and its socket closed with it.
    auto outcome =
        msg == kFinished ? std::move(running->outcome) : platform::SocketPageFetch::Outcome{};
    Done done = std::move(running->done);
    const int hops = running->hops;
    const ULONGLONG deadline = running->deadline;
    running.reset();
    if (!outcome.redirect.empty())
        return fetchFrom(outcome.redirect, std::move(done), hops + 1, deadline);
    if (done) done({outcome.ok, outcome.ok ? fromAnsi(outcome.body) : std::wstring()});
}

}  // namespace win32
