#include "platform/win32/http_client_wininet.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/win32/ansi.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

struct InternetTraits {
    using Handle = HINTERNET;
    static HINTERNET invalid() { return nullptr; }
    static void close(HINTERNET h) { InternetCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<InternetTraits>;

void setTimeouts(HINTERNET session) {
    DWORD ms = HttpClientWinInet::kTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                         INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
        InternetSetOptionW(session, option, &ms, sizeof ms);
}

struct FetchState {
    std::mutex mutex;
    std::condition_variable changed;
    bool done = false;
    bool abandoned = false;
    platform::HttpResponse response;
};

bool successStatus(HINTERNET request) {
    DWORD status = 0, size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr))
        return true;  // not an HTTP address (no status to judge)
    return status >= 200 && status < 300;
}

platform::HttpResponse read(HINTERNET session, const std::wstring& url, UniqueInternet& request) {
    platform::HttpResponse response;
    request.reset(InternetOpenUrlW(session, url.c_str(), nullptr, 0,
                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                       INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                                       INTERNET_FLAG_NO_COOKIES,
                                   0));
    if (!request || !successStatus(request.get())) return response;
    std::string body;
    char chunk[8192];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), chunk, sizeof chunk, &read)) return response;
        if (read == 0) break;
        body.append(chunk, read);
        if (body.size() > HttpClientWinInet::kMaxBodyBytes) return response;  // no page is this big
    }
    response.ok = true;
    response.text = fromAnsi(body);
    return response;
}

// Runs beside the caller; once the caller has given up, the session and with it the request
// are closed already, and the handle must not be closed a second time.
void fetch(const std::shared_ptr<FetchState>& state, HINTERNET session, const std::wstring& url) {
    UniqueInternet request;
    platform::HttpResponse response = read(session, url, request);
    std::lock_guard<std::mutex> lock(state->mutex);
    if (state->abandoned) {
        request.release();
        return;
    }
    request.reset();
    state->response = std::move(response);
    state->done = true;
    state->changed.notify_all();
}

}  // namespace

platform::HttpResponse HttpClientWinInet::get(const std::wstring& url) {
    HINTERNET session =
        InternetOpenW(L"KorvaNT/3.36", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return {};
    setTimeouts(session);

    // WinINet's own timeouts do not cover every wait (a server that accepts and never answers),
    // so the fetch runs beside the caller, which waits a bounded time and then abandons it:
    // closing the session ends the fetch's pending calls.
    auto state = std::make_shared<FetchState>();
    std::thread worker(fetch, state, session, url);
    bool finished;
    {
        std::unique_lock<std::mutex> lock(state->mutex);
        finished = state->changed.wait_for(lock, std::chrono::milliseconds(kTimeoutMs),
                                           [&] { return state->done; });
        state->abandoned = !finished;
    }
    InternetCloseHandle(session);
    if (!finished) {
        worker.detach();
        return {};
    }
    worker.join();
    return state->response;
}

}  // namespace win32
