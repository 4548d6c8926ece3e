// clang-format off: winsock2.h must come before windows.h
#include <windows.h>
#include <winsock2.h>
// clang-format on
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/page_fetcher_win32.h"
#include "platform/win32/request_server_win32.h"
#include "win/loopback_port.h"

namespace {

// The page, after a redirection, and the proxy the fetch was told of (loopback goes direct).
platform::ConnectionReply pages(std::string_view received) {
    if (received.find("\r\n\r\n") == std::string_view::npos) return {};
    if (received.rfind("GET /old HTTP/1.0\r\n", 0) == 0)
        return {true, "HTTP/1.1 302 Found\r\nLocation: /ip?again\r\nContent-Length: 0\r\n\r\n"};
    if (received.rfind("GET /ip?again HTTP/1.0\r\n", 0) == 0)
        return {true, "HTTP/1.0 200 OK\r\n\r\n<HTML><BODY></BODY>\x83\x65 203.0.113.5</HTML>"};
    return {true, "HTTP/1.0 404 Not Found\r\n\r\n"};
}

// A proxy on loopback: it answers only a request in the absolute form for the page's host.
platform::ConnectionReply proxy(std::string_view received) {
    if (received.find("\r\n\r\n") == std::string_view::npos) return {};
    if (received.rfind("GET http://pages.example:8080/ip HTTP/1.0\r\n", 0) == 0 &&
        received.find("\r\nHost: pages.example:8080\r\n") != std::string_view::npos)
        return {true, "HTTP/1.0 200 OK\r\nContent-Length: 11\r\n\r\n192.0.2.10\n"};
    return {true, "HTTP/1.0 502 Bad Gateway\r\n\r\n"};
}

std::optional<platform::HttpResponse> fetchOne(win32::PageFetcherWin32& fetcher,
                                               const std::wstring& url) {
    std::optional<platform::HttpResponse> result;
    fetcher.fetch(url, [&](const platform::HttpResponse& page) { result = page; });
    EXPECT_FALSE(result) << "answered before fetch() returned";
    const ULONGLONG until = GetTickCount64() + 10000;
    MSG msg;
    while (!result && GetTickCount64() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return result;
}

}  // namespace

TEST(PageFetcher, FollowsARedirectionToThePageWithoutLoadingAnHttpLibrary) {
    win32::RequestServerWin32 server;
    const std::uint16_t port = unusedLoopbackPort();
    ASSERT_FALSE(server.start(L"127.0.0.1", port, pages, nullptr, {}));
    win32::PageFetcherWin32 fetcher([] {
        return platform::BrowserProxy{true, L"127.0.0.9:9", L""};  // refuses: never used
    });
    const std::wstring origin = L"http://127.0.0.1:" + std::to_wstring(port);

    auto page = fetchOne(fetcher, origin + L"/old");
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->ok);
    EXPECT_EQ(page->text, L"<HTML><BODY></BODY>\x30c6 203.0.113.5</HTML>");  // from code page 932
    auto missing = fetchOne(fetcher, origin + L"/none");
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->ok);
    server.stop();
    auto refused = fetchOne(fetcher, origin + L"/ip");
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->ok);
    auto malformed = fetchOne(fetcher, L"not an address");
    ASSERT_TRUE(malformed);
    EXPECT_FALSE(malformed->ok);
    // Neither WinHTTP nor the TLS stack it brings came for plain pages.
    EXPECT_EQ(GetModuleHandleW(L"winhttp.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"crypt32.dll"), nullptr);
}

// The page's host is never looked up: the proxy is asked for it by name.
TEST(PageFetcher, GoesThroughTheBrowsersHttpProxy) {
    win32::RequestServerWin32 server;
    const std::uint16_t port = unusedLoopbackPort();
    ASSERT_FALSE(server.start(L"127.0.0.1", port, proxy, nullptr, {}));
    platform::BrowserProxy browser{
        true, L"ftp=127.0.0.9:21;http=127.0.0.1:" + std::to_wstring(port), L""};
    win32::PageFetcherWin32 fetcher([&] { return browser; });

    auto page = fetchOne(fetcher, L"http://pages.example:8080/ip");
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->ok);
    EXPECT_EQ(page->text, L"192.0.2.10\n");
}
