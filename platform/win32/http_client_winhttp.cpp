#include "platform/win32/http_client_winhttp.h"

#include <windows.h>
#include <winhttp.h>

#include <string>
#include <utility>

#include "base/version.h"
#include "platform/win32/ansi.h"
#include "platform/win32/system_library.h"

// A narrow string literal made wide, for the version macro.
#define KORVANT_WIDEN(text) L##text
#define KORVANT_WIDE(text) KORVANT_WIDEN(text)

namespace win32 {
namespace {

// WinHTTP brings the system's TLS stack with it (more than a megabyte under Wine): each fetch
// loads it on its own thread and lets it go when done, so that a program that fetched its
// address at start-up does not carry it for the rest of the session. WinHTTP keeps its own
// count while its idle connections wait to be closed.
class WinHttp {
public:
    WinHttp() : module_(systemLibrary(L"winhttp.dll")) {
        complete_ = resolve(module_, "WinHttpCloseHandle", closeHandle) &&
                    resolve(module_, "WinHttpGetIEProxyConfigForCurrentUser", ieProxyConfig) &&
                    resolve(module_, "WinHttpOpen", open) &&
                    resolve(module_, "WinHttpQueryHeaders", queryHeaders) &&
                    resolve(module_, "WinHttpCrackUrl", crackUrl) &&
                    resolve(module_, "WinHttpSetTimeouts", setTimeouts) &&
                    resolve(module_, "WinHttpConnect", connect) &&
                    resolve(module_, "WinHttpOpenRequest", openRequest) &&
                    resolve(module_, "WinHttpSetOption", setOption) &&
                    resolve(module_, "WinHttpSendRequest", sendRequest) &&
                    resolve(module_, "WinHttpReceiveResponse", receiveResponse) &&
                    resolve(module_, "WinHttpReadData", readData);
    }
    ~WinHttp() {
        if (module_) FreeLibrary(module_);
    }
    WinHttp(const WinHttp&) = delete;
    WinHttp& operator=(const WinHttp&) = delete;
    // False when the library or one of its functions is missing: the fetch then fails.
    explicit operator bool() const { return complete_; }

    decltype(WinHttpCloseHandle)* closeHandle = nullptr;
    decltype(WinHttpGetIEProxyConfigForCurrentUser)* ieProxyConfig = nullptr;
    decltype(WinHttpOpen)* open = nullptr;
    decltype(WinHttpQueryHeaders)* queryHeaders = nullptr;
    decltype(WinHttpCrackUrl)* crackUrl = nullptr;
    decltype(WinHttpSetTimeouts)* setTimeouts = nullptr;
    decltype(WinHttpConnect)* connect = nullptr;
    decltype(WinHttpOpenRequest)* openRequest = nullptr;
    decltype(WinHttpSetOption)* setOption = nullptr;
    decltype(WinHttpSendRequest)* sendRequest = nullptr;
    decltype(WinHttpReceiveResponse)* receiveResponse = nullptr;
    decltype(WinHttpReadData)* readData = nullptr;

private:
    HMODULE module_;
    bool complete_ = false;
};

// One WinHTTP handle, closed through the library that made it (which outlives it).
class UniqueHttp {
public:
    UniqueHttp(const WinHttp& http, HINTERNET handle) : http_(&http), handle_(handle) {}
    ~UniqueHttp() {
        if (handle_) http_->closeHandle(handle_);
    }
    UniqueHttp(UniqueHttp&& other) noexcept
        : http_(other.http_), handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHttp(const UniqueHttp&) = delete;
    UniqueHttp& operator=(const UniqueHttp&) = delete;
    UniqueHttp& operator=(UniqueHttp&&) = delete;
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    const WinHttp* http_;
    HINTERNET handle_;
};

constexpr const wchar_t* kUserAgent = L"KorvaNT/" KORVANT_WIDE(KORVANT_VERSION_DOTTED);

// The browser's proxy, as the pages have always been fetched.
UniqueHttp openSession(const WinHttp& http) {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG ie{};
    http.ieProxyConfig(&ie);
    UniqueHttp session(
        http, ie.lpszProxy
                  ? http.open(kUserAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.lpszProxy,
                              ie.lpszProxyBypass ? ie.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0)
                  : http.open(kUserAgent, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                              WINHTTP_NO_PROXY_BYPASS, 0));
    for (LPWSTR text : {ie.lpszAutoConfigUrl, ie.lpszProxy, ie.lpszProxyBypass})
        if (text) GlobalFree(text);
    return session;
}

DWORD queryNumber(const WinHttp& http, HINTERNET request, DWORD what, DWORD fallback) {
    DWORD value = 0, size = sizeof value;
    if (!http.queryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                           &value, &size, WINHTTP_NO_HEADER_INDEX))
        return fallback;
    return value;
}

}  // namespace

platform::HttpResponse HttpClientWinHttp::get(const std::wstring& url) {
    platform::PageAnswer answer = request({url, {}, kMaxBodyBytes});
    if (answer.failure != platform::PageAnswer::Failure::None) return {};
    return {true, fromAnsi(answer.body)};
}

platform::PageAnswer HttpClientWinHttp::request(const platform::PageAsk& ask) {
    using Failure = platform::PageAnswer::Failure;
    platform::PageAnswer answer;
    const auto failed = [&](Failure why) {
        answer.failure = why;
        answer.body.clear();
        return answer;
    };
    const WinHttp http;
    if (!http) return failed(Failure::Connection);
    const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
    if (ask.url.empty() || !http.crackUrl(ask.url.c_str(), 0, 0, &parts))
        return failed(Failure::Address);
    std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                        std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    UniqueHttp session = openSession(http);
    if (!session) return failed(Failure::Connection);
    // Every wait is bounded; between reads the deadline bounds the whole fetch.
    int ms = static_cast<int>(kTimeoutMs);
    http.setTimeouts(session.get(), ms, ms, ms, ms);
    UniqueHttp connection(http, http.connect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection) return failed(Failure::Connection);
    UniqueHttp request(
        http,
        http.openRequest(connection.get(), L"GET", path.empty() ? L"/" : path.c_str(), nullptr,
                         WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                         WINHTTP_FLAG_REFRESH |
                             (parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0)));
    if (!request) return failed(Failure::Connection);
    DWORD responseTimeout = kTimeoutMs;  // not among the four above, and unbounded otherwise
    http.setOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                   sizeof responseTimeout);
    std::wstring headers;
    for (char c : ask.authorization)
        if (c != '\r' && c != '\n') headers += static_cast<unsigned char>(c);
    if (!headers.empty()) headers = L"Authorization: " + headers + L"\r\n";
    if (!http.sendRequest(
            request.get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
            headers.empty() ? 0 : static_cast<DWORD>(-1L), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !http.receiveResponse(request.get(), nullptr))
        return failed(GetLastError() == ERROR_WINHTTP_TIMEOUT ? Failure::TimedOut
                                                              : Failure::Connection);
    answer.status =
        static_cast<int>(queryNumber(http, request.get(), WINHTTP_QUERY_STATUS_CODE, 0));
    wchar_t encoding[64] = {};
    DWORD encodingSize = sizeof encoding;
    if (http.queryHeaders(request.get(), WINHTTP_QUERY_CONTENT_ENCODING,
                          WINHTTP_HEADER_NAME_BY_INDEX, encoding, &encodingSize,
                          WINHTTP_NO_HEADER_INDEX))
        for (const wchar_t* c = encoding; *c; ++c) answer.contentEncoding += static_cast<char>(*c);
    if (answer.status < 200 || answer.status >= 300) return failed(Failure::Status);
    if (queryNumber(http, request.get(), WINHTTP_QUERY_CONTENT_LENGTH, 0) > ask.maxBody)
        return failed(Failure::TooLarge);

    char chunk[16384];
    for (;;) {
        if (GetTickCount64() > deadline) return failed(Failure::TimedOut);
        DWORD read = 0;
        if (!http.readData(request.get(), chunk, sizeof chunk, &read))
            return failed(Failure::Connection);
        if (read == 0) break;
        answer.body.append(chunk, read);
        // Stop at the bound, whatever was announced.
        if (answer.body.size() > ask.maxBody) return failed(Failure::TooLarge);
    }
    answer.failure = Failure::None;
    return answer;
}

}  // namespace win32
