// clang-format off: winsock2.h must come before windows.h
#include <windows.h>
#include <winsock2.h>
// clang-format on
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "platform/win32/request_server_win32.h"

namespace {

// A blocking client on loopback that gives up on a read after five seconds.
struct Client {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ~Client() { closesocket(s); }
    bool connectTo(std::uint16_t port) {
        DWORD timeout = 5000;
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
                   sizeof timeout);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        return ::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    }
    void sendText(const std::string& text) { send(s, text.data(), int(text.size()), 0); }
    // Everything until the server closes; "timeout" when it does not within the time.
    std::string readToClose() {
        std::string got;
        char buffer[4096];
        for (;;) {
            int n = recv(s, buffer, sizeof buffer, 0);
            if (n == 0) return got;
            if (n < 0) return WSAGetLastError() == WSAETIMEDOUT ? "timeout" : got;
            got.append(buffer, n);
        }
    }
};

std::uint16_t boundPort(SOCKET s) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
    listen(s, 1);
    int size = sizeof at;
    getsockname(s, reinterpret_cast<sockaddr*>(&at), &size);
    return ntohs(at.sin_port);
}

std::uint16_t freePort() {
    Client probe;
    return boundPort(probe.s);
}

// Answers once the request's empty line has come, with what it saw.
platform::ConnectionReply echoHead(std::string_view received) {
    if (received.find("\r\n\r\n") == std::string_view::npos) return {};
    return {true, "seen:" + std::string(received)};
}

}  // namespace

TEST(RequestServer, AnswersARequestThatArrivesInPiecesThenClosesAndStopsWhenAsked) {
    win32::RequestServerWin32 server;
    std::uint16_t port = freePort();
    ASSERT_FALSE(server.start(L"127.0.0.1", port, echoHead, nullptr, "busy"));
    EXPECT_TRUE(server.running());
    for (int round = 0; round < 2; ++round) {
        Client client;
        ASSERT_TRUE(client.connectTo(port));
        client.sendText("GET / HTTP/1.1\r\n");
        Sleep(50);  // two segments, as a slow client sends them
        client.sendText("\r\n");
        EXPECT_EQ(client.readToClose(), "seen:GET / HTTP/1.1\r\n\r\n");
    }
    server.stop();
    EXPECT_FALSE(server.running());
    Client late;
    EXPECT_FALSE(late.connectTo(port));  // no socket once stopped
}

TEST(RequestServer, APortInUseFailsAtOnceAndARefusedPeerGetsNoReply) {
    win32::RequestServerWin32 server;
    Client holder;
    std::uint16_t taken = boundPort(holder.s);
    platform::SocketFailure inUse = server.start(L"127.0.0.1", taken, echoHead, nullptr, "busy");
    EXPECT_EQ(inUse.number, WSAEADDRINUSE);
    EXPECT_FALSE(inUse.description.empty());
    EXPECT_FALSE(server.running());
    EXPECT_TRUE(server.start(L"no address", freePort(), echoHead, nullptr, "busy"));

    std::atomic<int> asked = 0;
    std::uint16_t port = freePort();
    std::string localSeen;
    ASSERT_FALSE(server.start(
        L"127.0.0.1", port, echoHead,
        [&](const std::string& peer, const std::string& local) {
            ++asked;
            localSeen = local;
            return peer != "127.0.0.1";
        },
        "busy"));
    Client refused;
    ASSERT_TRUE(refused.connectTo(port));
    refused.sendText("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(refused.readToClose(), "");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(localSeen, "127.0.0.1");
}

TEST(RequestServer, AClientThatSendsTooLittleIsClosedAfterTheIdleTime) {
    win32::RequestServerWin32 server({.mostConnections = 1, .mostRequestBytes = 64, .idleMs = 300});
    std::uint16_t port = freePort();
    ASSERT_FALSE(server.start(L"127.0.0.1", port, echoHead, nullptr, "busy"));
    Client slow;
    ASSERT_TRUE(slow.connectTo(port));
    slow.sendText("GET / HT");
    Client second;  // over the bound of one: told so and closed at once
    ASSERT_TRUE(second.connectTo(port));
    EXPECT_EQ(second.readToClose(), "busy");
    EXPECT_EQ(slow.readToClose(), "");  // within the idle time, not the client's five seconds
}

TEST(RequestServer, PipelinedRequestsAreAnsweredInOrderAndEveryIPv6AddressTakesIPv4Peers) {
    win32::RequestServerWin32 server;
    std::uint16_t port = freePort();
    std::string peerSeen;
    // Each request is a line; "close" ends the connection.
    auto lines = [](std::string_view received) -> platform::ConnectionReply {
        std::size_t end = received.find('\n');
        if (end == std::string_view::npos) return {};
        std::string line(received.substr(0, end));
        return {true, "[" + line + "]", false, line != "close", end + 1};
    };
    ASSERT_FALSE(server.start(
        L"::", port, lines,
        [&](const std::string& peer, const std::string&) {
            peerSeen = peer;
            return true;
        },
        "busy"));
    Client client;
    ASSERT_TRUE(client.connectTo(port));
    client.sendText("one\ntwo\n");
    Sleep(50);
    client.sendText("three\nclose\n");
    EXPECT_EQ(client.readToClose(), "[one][two][three][close]");
    EXPECT_EQ(peerSeen, "127.0.0.1");
}
