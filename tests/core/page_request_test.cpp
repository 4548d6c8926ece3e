#include "platform/page_request.h"

#include <gtest/gtest.h>

#include "fakes/fake_tcp_socket.h"
#include "platform/socket_page_fetch.h"

namespace {

using platform::PageResponse;
using Progress = PageResponse::Progress;

TEST(PageAddress, TakesHostPortAndTargetApartAndRefusesWhatIsNoPage) {
    auto page = platform::parsePageAddress(L" HTTP://Example.COM:8080/ip?x=1#top ");
    ASSERT_TRUE(page);
    EXPECT_FALSE(page->secure);
    EXPECT_EQ(page->host, L"example.com");
    EXPECT_EQ(page->port, 8080);
    EXPECT_EQ(page->target, L"/ip?x=1");
    auto bare = platform::parsePageAddress(L"https://example.com?q");
    ASSERT_TRUE(bare);
    EXPECT_TRUE(bare->secure);
    EXPECT_EQ(bare->port, 443);
    EXPECT_EQ(bare->target, L"/?q");
    for (const wchar_t* bad :
         {L"", L"ftp://example.com/", L"http://", L"http://:80/", L"http://example.com:0/",
          L"http://example.com:65536/", L"http://example.com:8x/", L"http://user:pw@example.com/",
          L"http://exa mple.com/", L"http://ex\r\nample.com/", L"http://host:8500:8500/",
          L"http://::1/", L"http://[::1/"})
        EXPECT_FALSE(platform::parsePageAddress(bad)) << bad;
}

TEST(PageAddress, RedirectionsResolveAgainstThePage) {
    auto page = *platform::parsePageAddress(L"http://example.com:8080/dir/page?x");
    EXPECT_EQ(platform::resolveLocation(page, L"https://other.example/"),
              L"https://other.example/");
    EXPECT_EQ(platform::resolveLocation(page, L"/root"), L"http://example.com:8080/root");
    EXPECT_EQ(platform::resolveLocation(page, L"next?y"), L"http://example.com:8080/dir/next?y");
    EXPECT_EQ(platform::resolveLocation(page, L"//cdn.example/a"), L"http://cdn.example/a");
}

TEST(BrowserProxy, ChoosesTheHttpProxyUnlessTheHostBypassesIt) {
    auto page = *platform::parsePageAddress(L"http://pages.example.com/ip");
    platform::BrowserProxy proxy{true, L"proxy.lan:3128", L""};
    auto route = platform::httpProxyFor(page, proxy);
    ASSERT_TRUE(route);
    EXPECT_EQ(route->host, L"proxy.lan");
    EXPECT_EQ(route->port, 3128);

    proxy.server = L"ftp=f:21; http=http://web.lan:8080/ ;https=s:443";
    route = platform::httpProxyFor(page, proxy);
    ASSERT_TRUE(route);
    EXPECT_EQ(route->host, L"web.lan");
    EXPECT_EQ(route->port, 8080);
    proxy.server = L"https=s:443";  // no proxy for http
    EXPECT_FALSE(platform::httpProxyFor(page, proxy));

    proxy.server = L"p:1";
    proxy.enabled = false;
    EXPECT_FALSE(platform::httpProxyFor(page, proxy));
    proxy.enabled = true;
    proxy.bypass = L"intra;*.EXAMPLE.com";
    EXPECT_FALSE(platform::httpProxyFor(page, proxy));
    proxy.bypass = L"<local>";
    EXPECT_TRUE(platform::httpProxyFor(page, proxy));
    EXPECT_FALSE(platform::httpProxyFor(*platform::parsePageAddress(L"http://intra/"), proxy));
    // Loopback never goes through a proxy.
    for (const wchar_t* loopback :
         {L"http://127.0.0.1:9/", L"http://127.200.1.1/", L"http://[::1]:9/", L"http://LOCALHOST/"})
        EXPECT_FALSE(platform::httpProxyFor(*platform::parsePageAddress(loopback), proxy))
            << loopback;
    // A name is no address, whatever it begins with.
    for (const wchar_t* named : {L"http://127.example.com/", L"http://127.0.0.1.nip.io/"})
        EXPECT_TRUE(platform::httpProxyFor(*platform::parsePageAddress(named), proxy)) << named;
}

TEST(PageRequest, AsksForThePageWithoutCacheAndEncodesWhatCannotStandInTheLine) {
    auto page = *platform::parsePageAddress(L"http://example.com:81/a b/\x65e5?q=\"x\"");
    std::string direct = platform::pageRequest(page, false, "KorvaNT/1");
    EXPECT_EQ(direct.substr(0, direct.find("\r\n")), "GET /a%20b/%E6%97%A5?q=\"x\" HTTP/1.0");
    EXPECT_NE(direct.find("\r\nHost: example.com:81\r\n"), std::string::npos);
    EXPECT_NE(direct.find("\r\nPragma: no-cache\r\n"), std::string::npos);
    EXPECT_EQ(direct.substr(direct.size() - 4), "\r\n\r\n");
    auto plain = *platform::parsePageAddress(L"http://example.com/ip");
    std::string proxied = platform::pageRequest(plain, true, "KorvaNT/1");
    EXPECT_EQ(proxied.substr(0, proxied.find("\r\n")), "GET http://example.com/ip HTTP/1.0");
}

TEST(PageResponse, ABodyEndsAtItsLengthOrAtTheClose) {
    PageResponse sized(100);
    EXPECT_EQ(sized.add("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n"), Progress::Reading);
    EXPECT_EQ(sized.add("\r\nab"), Progress::Reading);
    EXPECT_EQ(sized.add("cdefg"), Progress::Done);
    EXPECT_EQ(sized.body(), "abcde");

    PageResponse unsized(100);
    EXPECT_EQ(unsized.add("HTTP/1.0 200 OK\r\n\r\nall of it"), Progress::Reading);
    EXPECT_EQ(unsized.end(), Progress::Done);
    EXPECT_EQ(unsized.body(), "all of it");

    PageResponse cut(100);  // shorter than announced
    cut.add("HTTP/1.0 200 OK\r\nContent-Length: 50\r\n\r\nabc");
    EXPECT_EQ(cut.end(), Progress::Failed);
}

TEST(PageResponse, AnythingButAWholePageWithinTheBoundFails) {
    for (const char* head :
         {"HTTP/1.1 404 Not Found\r\n\r\n", "HTTP/1.1 302 Found\r\n\r\n",
          "HTTP/1.1 200 OK\r\nContent-Length: 101\r\n\r\n",
          "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n",
          "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "SSH-2.0-OpenSSH\r\n\r\n"}) {
        PageResponse response(100);
        EXPECT_EQ(response.add(head), Progress::Failed) << head;
    }
    PageResponse unannounced(100);
    unannounced.add("HTTP/1.0 200 OK\r\n\r\n");
    EXPECT_EQ(unannounced.add(std::string(101, 'x')), Progress::Failed);
    PageResponse endless(100);  // a head that never ends
    EXPECT_EQ(endless.add(std::string(20000, 'x')), Progress::Failed);
    PageResponse early(100);
    early.add("HTTP/1.0 200");
    EXPECT_EQ(early.end(), Progress::Failed);

    PageResponse moved(100);
    EXPECT_EQ(moved.add("HTTP/1.1 301 Moved\r\nlocation: /new\r\n\r\n"), Progress::Done);
    EXPECT_EQ(moved.location(), "/new");
}

struct SocketFetch : ::testing::Test {
    fakes::FakeTcpSocket socket;
    std::optional<platform::SocketPageFetch::Outcome> outcome;
    std::unique_ptr<platform::SocketPageFetch> fetch;

    void start(const wchar_t* url, std::optional<platform::Endpoint> proxy = {}) {
        fetch = std::make_unique<platform::SocketPageFetch>(
            socket, *platform::parsePageAddress(url), proxy, "KorvaNT/1", 100,
            [this](platform::SocketPageFetch::Outcome o) { outcome = std::move(o); });
        fetch->start();
    }
};

TEST_F(SocketFetch, ConnectsAsksAndHandsBackThePageOnce) {
    start(L"http://example.com:81/ip", platform::Endpoint{L"proxy.lan", 3128});
    EXPECT_EQ(socket.host, L"proxy.lan");
    EXPECT_EQ(socket.port, 3128);
    socket.connectionMade(L"10.0.0.1");
    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0].rfind("GET http://example.com:81/ip HTTP/1.0\r\n", 0), 0u);
    socket.peerSends("HTTP/1.0 200 OK\r\n\r\n1.2.");
    EXPECT_FALSE(outcome);
    socket.peerSends("3.4");
    socket.peerCloses();
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->ok);
    EXPECT_EQ(outcome->body, "1.2.3.4");
    EXPECT_EQ(socket.current, platform::SocketState::Closed);
}

TEST_F(SocketFetch, ARedirectionOrAFailureEndsTheFetchWithoutAPage) {
    start(L"http://example.com/dir/a");
    socket.connectionMade(L"10.0.0.1");
    socket.peerSends("HTTP/1.1 302 Found\r\nLocation: b\r\n\r\nignored");
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->ok);
    EXPECT_EQ(outcome->redirect, L"http://example.com:80/dir/b");

    outcome.reset();
    start(L"http://example.com/");
    socket.fails(10061);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->ok);
    EXPECT_TRUE(outcome->redirect.empty());
}

}  // namespace
