#include "platform/win32/http_client_winhttp.h"

#include <windows.h>
#include <winhttp.h>

#include <string>

#include "base/version.h"
#include "platform/win32/ansi.h"
#include "platform/win32/unique_handle.h"

// A narrow string literal made wide, for the version macro.
#define KORVANT_WIDEN(text) L##text
#define KORVANT_WIDE(text) KORVANT_WIDEN(text)

namespace win32 {
namespace {

struct HttpTraits {
    using Handle = HINTERNET;
    static HINTERNET invalid() { return nullptr; }
    static void close(HINTERNET h) { WinHttpCloseHandle(h); }
};
using UniqueHttp = UniqueHandle<HttpTraits>;

constexpr const wchar_t* kUserAgent = L"KorvaNT/" KORVANT_WIDE(KORVANT_VERSION_DOTTED);

// The browser's proxy, as the pages have always been fetched.
UniqueHttp openSession() {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG ie{};
    WinHttpGetIEProxyConfigForCurrentUser(&ie);
    UniqueHttp session(
        ie.lpszProxy
            ? WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.lpszProxy,
                          ie.lpszProxyBypass ? ie.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0)
            : WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                          WINHTTP_NO_PROXY_BYPASS, 0));
    for (LPWSTR text : {ie.lpszAutoConfigUrl, ie.lpszProxy, ie.lpszProxyBypass})
        if (text) GlobalFree(text);
    return session;
}

DWORD queryNumber(HINTERNET request, DWORD what, DWORD fallback) {
    DWORD value = 0, size = sizeof value;
    if (!WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &value, &size, WINHTTP_NO_HEADER_INDEX))
        return fallback;
    return value;
}

}  // namespace

platform::HttpResponse HttpClientWinHttp::get(const std::wstring& url) {
    const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
    if (url.empty() || !WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return {};
    std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                        std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    UniqueHttp session = openSession();
    if (!session) return {};
    // Every wait is bounded; between reads the deadline bounds the whole fetch.
    int ms = static_cast<int>(kTimeoutMs);
    WinHttpSetTimeouts(session.get(), ms, ms, ms, ms);
    UniqueHttp connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection) return {};
    UniqueHttp request(WinHttpOpenRequest(
        connection.get(), L"GET", path.empty() ? L"/" : path.c_str(), nullptr, WINHTTP_NO_REFERER,
        WINHTTP_DEFAULT_ACCEPT_TYPES,
        WINHTTP_FLAG_REFRESH | (parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0)));
    if (!request) return {};
    DWORD responseTimeout = kTimeoutMs;  // not among the four above, and unbounded otherwise
    WinHttpSetOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                     sizeof responseTimeout);
    if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr))
        return {};
    DWORD status = queryNumber(request.get(), WINHTTP_QUERY_STATUS_CODE, 0);
    if (status < 200 || status >= 300) return {};
    if (queryNumber(request.get(), WINHTTP_QUERY_CONTENT_LENGTH, 0) > kMaxBodyBytes) return {};

    std::string body;
    char chunk[16384];
    for (;;) {
        if (GetTickCount64() > deadline) return {};
        DWORD read = 0;
        if (!WinHttpReadData(request.get(), chunk, sizeof chunk, &read)) return {};
        if (read == 0) break;
        body.append(chunk, read);
        if (body.size() > kMaxBodyBytes) return {};  // stop at the bound, whatever was announced
    }
    return {true, fromAnsi(body)};
}

}  // namespace win32
