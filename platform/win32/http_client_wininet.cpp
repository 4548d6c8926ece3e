#include "platform/win32/http_client_wininet.h"

#include <windows.h>
#include <wininet.h>

#include <string>

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

bool successStatus(HINTERNET request) {
    DWORD status = 0, size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr))
        return true;  // not an HTTP address (no status to judge)
    return status >= 200 && status < 300;
}

}  // namespace

platform::HttpResponse HttpClientWinInet::get(const std::wstring& url) {
    platform::HttpResponse response;
    ULONGLONG started = GetTickCount64();
    UniqueInternet session(
        InternetOpenW(L"KorvaNT/3.36", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return response;
    setTimeouts(session.get());
    UniqueInternet request(InternetOpenUrlW(
        session.get(), url.c_str(), nullptr, 0,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
            INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES,
        0));
    if (!request || !successStatus(request.get())) return response;

    std::string body;
    char chunk[8192];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), chunk, sizeof chunk, &read)) return response;
        if (read == 0) break;
        body.append(chunk, read);
        // A server that trickles or never ends is treated as unreachable.
        if (body.size() > kMaxBodyBytes || GetTickCount64() - started > 2 * kTimeoutMs)
            return response;
    }
    response.ok = true;
    response.text = fromAnsi(body);
    return response;
}

}  // namespace win32
