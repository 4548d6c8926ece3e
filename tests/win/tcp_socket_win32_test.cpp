// clang-format off: winsock2.h must come before windows.h
#include <windows.h>
#include <winsock2.h>
// clang-format on
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/tcp_socket_win32.h"

using platform::SocketState;

namespace {

// Records the events; optionally takes every request.
struct Recorder : platform::SocketEvents {
    win32::TcpSocketWin32* socket = nullptr;
    bool acceptRequests = true;
    std::vector<std::wstring> log;
    std::string received;
    void onConnectionRequest(const std::wstring& peer) override {
        log.push_back(L"request " + peer);
        if (acceptRequests) socket->accept();
    }
    void onConnected(const std::wstring& peer) override { log.push_back(L"connected " + peer); }
    void onDataArrival() override { received += socket->receive(1 << 20); }
    void onClosedByPeer() override { log.push_back(L"closed"); }
    void onError(const platform::SocketFailure& failure) override {
        log.push_back(L"error " + std::to_wstring(failure.number));
        EXPECT_FALSE(failure.description.empty());
    }
};

// Dispatches messages until `done` holds, for at most ten seconds.
bool pumpUntil(const std::function<bool()>& done) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return done();
}

// A plain blocking socket for the other side.
struct Peer {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ~Peer() { closesocket(s); }
    bool connectTo(std::uint16_t port) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        return ::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    }
    std::uint16_t listenAnywhere() {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
        ::listen(s, 1);
        int size = sizeof at;
        getsockname(s, reinterpret_cast<sockaddr*>(&at), &size);
        return ntohs(at.sin_port);
    }
};

struct SocketRig {
    win32::TcpSocketWin32 socket;
    Recorder events;
    SocketRig() {
        events.socket = &socket;
        socket.setEvents(&events);
    }
};

std::uint16_t freePort() {
    Peer probe;
    std::uint16_t port = probe.listenAnywhere();
    return port;
}

}  // namespace

TEST(TcpSocket, AcceptsAPeerCarriesBytesBothWaysAndReportsItsCloseAfterItsData) {
    SocketRig rig;
    std::uint16_t port = freePort();
    ASSERT_FALSE(rig.socket.listen(port));
    EXPECT_EQ(rig.socket.state(), SocketState::Listening);

    Peer peer;
    ASSERT_TRUE(peer.connectTo(port));
    ASSERT_TRUE(pumpUntil([&] { return rig.socket.state() == SocketState::Connected; }));
    EXPECT_EQ(rig.events.log, std::vector<std::wstring>{L"request 127.0.0.1"});

    std::string big(3 << 20, 'b');  // more than one send can take at once
    rig.socket.send(big);
    std::string got;
    // Reads only what is there, so the socket's own messages keep flowing on this thread.
    pumpUntil([&] {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(peer.s, &readable);
        timeval none{};
        char buffer[65536];
        int n = 0;
        if (select(0, &readable, nullptr, nullptr, &none) == 1)
            n = recv(peer.s, buffer, sizeof buffer, 0);
        if (n > 0) got.append(buffer, n);
        return got.size() >= big.size() || n < 0;
    });
    EXPECT_EQ(got, big);
    EXPECT_TRUE(pumpUntil([&] { return rig.socket.unsentBytes() == 0; }));

    ::send(peer.s, "hello", 5, 0);
    ::send(peer.s, " there", 6, 0);
    shutdown(peer.s, SD_SEND);
    ASSERT_TRUE(pumpUntil([&] { return rig.events.log.size() == 2; }));
    EXPECT_EQ(rig.events.received, "hello there");
    EXPECT_EQ(rig.events.log.back(), L"closed");
    EXPECT_EQ(rig.socket.state(), SocketState::PeerClosing);
    rig.socket.close();
    EXPECT_EQ(rig.socket.state(), SocketState::Closed);

    // Closing first leaves the port's old connection waiting out its time: listening again works.
    ASSERT_FALSE(rig.socket.listen(port));
    Peer second;
    ASSERT_TRUE(second.connectTo(port));
    ASSERT_TRUE(pumpUntil([&] { return rig.socket.state() == SocketState::Connected; }));
    rig.socket.close();
    EXPECT_FALSE(rig.socket.listen(port));
}

TEST(TcpSocket, ARequestNotTakenIsRefused) {
    SocketRig rig;
    rig.events.acceptRequests = false;
    std::uint16_t port = freePort();
    ASSERT_FALSE(rig.socket.listen(port));
    Peer peer;
    ASSERT_TRUE(peer.connectTo(port));
    ASSERT_TRUE(pumpUntil([&] { return !rig.events.log.empty(); }));
    char byte;
    EXPECT_LE(recv(peer.s, &byte, 1, 0), 0);  // closed by the other side
    EXPECT_EQ(rig.socket.state(), SocketState::Listening);
}

TEST(TcpSocket, FailuresComeAsNumbersWithDescriptions) {
    SocketRig rig;
    Peer holder;
    std::uint16_t taken = holder.listenAnywhere();
    platform::SocketFailure inUse = rig.socket.listen(taken);
    EXPECT_EQ(inUse.number, WSAEADDRINUSE);
    EXPECT_FALSE(inUse.description.empty());
    EXPECT_EQ(rig.socket.state(), SocketState::Error);

    std::uint16_t closed = freePort();
    ASSERT_FALSE(rig.socket.connect(L"127.0.0.1", closed));
    ASSERT_TRUE(pumpUntil([&] { return !rig.events.log.empty(); }));
    EXPECT_EQ(rig.events.log[0], L"error 10061");
    EXPECT_EQ(rig.socket.state(), SocketState::Error);
}

TEST(TcpSocket, ConnectsOutToANameOrAnAddress) {
    SocketRig rig;
    Peer listener;
    std::uint16_t port = listener.listenAnywhere();
    ASSERT_FALSE(rig.socket.connect(L"localhost", port));
    EXPECT_EQ(rig.socket.state(), SocketState::ResolvingHost);
    ASSERT_TRUE(pumpUntil([&] { return rig.socket.state() == SocketState::Connected; }));
    EXPECT_EQ(rig.events.log, std::vector<std::wstring>{L"connected 127.0.0.1"});
    SOCKET accepted = ::accept(listener.s, nullptr, nullptr);
    ::send(accepted, "x", 1, 0);
    EXPECT_TRUE(pumpUntil([&] { return rig.events.received == "x"; }));
    closesocket(accepted);

    rig.events.log.clear();
    ASSERT_FALSE(rig.socket.connect(L"127.0.0.1", port));
    EXPECT_TRUE(pumpUntil([&] { return !rig.events.log.empty(); }));
    EXPECT_EQ(rig.events.log, std::vector<std::wstring>{L"connected 127.0.0.1"});
}
