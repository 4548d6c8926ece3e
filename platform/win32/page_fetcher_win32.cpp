#include "platform/win32/page_fetcher_win32.h"

#include <optional>
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
    Answered answered;
    platform::PageAsk ask;
    int hops = 0;
    ULONGLONG deadline = 0;
    std::unique_ptr<TcpSocketWin32> socket;  // none for a failure answered later
    std::unique_ptr<platform::SocketPageFetch> fetch;
    std::optional<platform::SocketPageFetch::Outcome> outcome;  // none: given up at the bound
    platform::PageAnswer::Failure failure = platform::PageAnswer::Failure::TimedOut;
};

PageFetcherWin32::PageFetcherWin32(ProxyLookup proxy) : proxy_(std::move(proxy)) {}

PageFetcherWin32::~PageFetcherWin32() = default;

void PageFetcherWin32::fetch(const std::wstring& url, Done done) {
    ask({url, {}, HttpClientWinHttp::kMaxBodyBytes},
        [done = std::move(done)](const platform::PageAnswer& answer) {
            if (!done) return;
            const bool ok = answer.failure == platform::PageAnswer::Failure::None;
            done({ok, ok ? fromAnsi(answer.body) : std::wstring()});
        });
}

void PageFetcherWin32::ask(const platform::PageAsk& ask, Answered answered) {
    fetchFrom(ask, std::move(answered), 0, GetTickCount64() + HttpClientWinHttp::kTimeoutMs);
}

void PageFetcherWin32::fetchFrom(platform::PageAsk ask, Answered answered, int hops,
                                 ULONGLONG deadline) {
    using Failure = platform::PageAnswer::Failure;
    if (!window_.hwnd() &&
        !window_.create(L"KorvaNT.PageFetches", [this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
            if (msg != kFinished && msg != kAnswer && msg != WM_TIMER) return false;
            onMessage(msg, wp);
            return true;
        })) {
        if (answered) answered({});
        return;
    }
    const ULONGLONG now = GetTickCount64();
    auto page = platform::parsePageAddress(ask.url);
    if (!page) return answerLater(std::move(answered), Failure::Address);
    if (now >= deadline) return answerLater(std::move(answered), Failure::TimedOut);
    if (hops > kMaxRedirections) return answerLater(std::move(answered), Failure::Malformed);
    const UINT left = static_cast<UINT>(deadline - now);

    // WinHTTP for what a plain socket cannot carry: TLS, and hosts written as IPv6 addresses.
    if (page->secure || page->host.front() == L'[') {
        platform::PageAnswer givenUp;
        givenUp.failure = Failure::TimedOut;
        if (!workers_.start([ask] { return HttpClientWinHttp().request(ask); }, answered, left,
                            givenUp))
            answerLater(std::move(answered), Failure::Connection);
        return;
    }
    std::optional<platform::Endpoint> proxy;
    if (proxy_) proxy = platform::httpProxyFor(*page, proxy_());

    const UINT_PTR id = ++nextId_;
    auto running = std::make_unique<Running>();
    running->answered = std::move(answered);
    running->hops = hops;
    running->deadline = deadline;
    Running& r = *running;
    r.ask = std::move(ask);
    r.socket = std::make_unique<TcpSocketWin32>();
    r.fetch = std::make_unique<platform::SocketPageFetch>(
        *r.socket, std::move(*page), std::move(proxy), kUserAgent, r.ask.maxBody,
        [this, id, &r](platform::SocketPageFetch::Outcome outcome) {
            // Called from within the socket's own message: it is closed after that returns.
            r.outcome = std::move(outcome);
            PostMessageW(window_.hwnd(), kFinished, id, 0);
        },
        r.ask.authorization);
    running_.emplace(id, std::move(running));
    SetTimer(window_.hwnd(), id, left, nullptr);
    r.fetch->start();
}

void PageFetcherWin32::answerLater(Answered answered, platform::PageAnswer::Failure failure) {
    if (!answered) return;
    // The caller hears of a failure as of any result: after fetch() has returned.
    const UINT_PTR id = ++nextId_;
    auto running = std::make_unique<Running>();
    running->answered = std::move(answered);
    running->failure = failure;
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

namespace {

platform::PageAnswer answerOf(const platform::SocketPageFetch::Outcome& outcome) {
    using Failure = platform::PageAnswer::Failure;
    platform::PageAnswer answer;
    answer.status = outcome.status;
    answer.contentEncoding = outcome.contentEncoding;
    if (outcome.ok) {
        answer.failure = Failure::None;
        answer.body = outcome.body;
    } else if (outcome.tooLarge) {
        answer.failure = Failure::TooLarge;
    } else if (outcome.status != 0 && (outcome.status < 200 || outcome.status >= 300)) {
        answer.failure = Failure::Status;
    } else {
        answer.failure = outcome.status != 0 ? Failure::Malformed : Failure::Connection;
    }
    return answer;
}

}  // namespace

void PageFetcherWin32::onMessage(UINT msg, WPARAM wp) {
    std::unique_ptr<Running> running = takeBack(wp);
    if (!running) return;
    // A timer is the bound: the fetch is given up and its socket closed with it.
    std::optional<platform::SocketPageFetch::Outcome> outcome;
    if (msg == kFinished) outcome = std::move(running->outcome);
    const platform::PageAnswer::Failure failure =
        msg == kAnswer ? running->failure : platform::PageAnswer::Failure::TimedOut;
    Answered answered = std::move(running->answered);
    platform::PageAsk ask = std::move(running->ask);
    const int hops = running->hops;
    const ULONGLONG deadline = running->deadline;
    running.reset();
    if (outcome && !outcome->redirect.empty()) {
        // A token is for the host it was given to, never for one a redirection names.
        auto from = platform::parsePageAddress(ask.url);
        auto to = platform::parsePageAddress(outcome->redirect);
        if (!from || !to || from->host != to->host || from->port != to->port ||
            from->secure != to->secure)
            ask.authorization.clear();
        ask.url = outcome->redirect;
        return fetchFrom(std::move(ask), std::move(answered), hops + 1, deadline);
    }
    if (!answered) return;
    if (outcome) return answered(answerOf(*outcome));
    platform::PageAnswer given;
    given.failure = failure;
    answered(given);
}

}  // namespace win32
