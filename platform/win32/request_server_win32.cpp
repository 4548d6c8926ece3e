#include "platform/win32/request_server_win32.h"

#include <ws2tcpip.h>

#include <algorithm>

#include "platform/win32/ansi.h"
#include "platform/win32/socket_errors.h"

namespace win32 {
namespace {

// What a connection still waits for.
enum class Phase { Reading, Writing, Draining };

// After its reply a connection reads and drops what the peer still sends, up to this much, so
// that closing it does not reset the reply away.
constexpr std::size_t kMostDrainedBytes = 64 * 1024;
constexpr int kChunk = 4096;

std::string peerOf(const sockaddr_in& address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return text;
}

}  // namespace

struct RequestServerWin32::Connection {
    UniqueSocket socket;
    UniqueKernelObject event;
    Phase phase = Phase::Reading;
    std::string received;
    std::string outbound;
    std::size_t sent = 0;
    std::size_t drained = 0;
    bool drainAfter = true;
    bool keepOpen = false;
    unsigned long long deadline = 0;
};

RequestServerWin32::RequestServerWin32(platform::ServerBounds bounds) : bounds_(bounds) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

RequestServerWin32::~RequestServerWin32() {
    stop();
    if (started_) WSACleanup();
}

platform::SocketFailure RequestServerWin32::start(const std::wstring& address, std::uint16_t port,
                                                  platform::RequestHandler handler,
                                                  platform::PeerFilter filter) {
    stop();
    auto fail = [this](int number) -> platform::SocketFailure {
        listener_.reset();
        listenEvent_.reset();
        stopEvent_.reset();
        return {number, describeSocketError(number)};
    };
    if (!started_) return fail(WSANOTINITIALISED);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    if (InetPtonW(AF_INET, address.c_str(), &at.sin_addr) != 1) return fail(WSAEADDRNOTAVAIL);
    listener_.reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!listener_) return fail(WSAGetLastError());
    // Another program on the port is an error to report, never a port to share.
    BOOL exclusive = TRUE;
    setsockopt(listener_.get(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
               reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    if (bind(listener_.get(), reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 ||
        listen(listener_.get(), SOMAXCONN) != 0)
        return fail(WSAGetLastError());
    listenEvent_.reset(WSACreateEvent());
    stopEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!listenEvent_ || !stopEvent_) return fail(WSAENOBUFS);
    if (WSAEventSelect(listener_.get(), listenEvent_.get(), FD_ACCEPT) != 0)
        return fail(WSAGetLastError());
    handler_ = std::move(handler);
    filter_ = std::move(filter);
    worker_ = std::thread([this] { serve(); });
    return {};
}

void RequestServerWin32::stop() {
    if (worker_.joinable()) {
        SetEvent(stopEvent_.get());
        worker_.join();
    }
    listener_.reset();
    listenEvent_.reset();
    stopEvent_.reset();
}

void RequestServerWin32::serve() {
    std::vector<std::unique_ptr<Connection>> connections;
    std::vector<HANDLE> events;
    for (;;) {
        events = {stopEvent_.get(), listenEvent_.get()};
        unsigned long long now = GetTickCount64();
        unsigned long long nearest = ~0ull;
        for (const auto& c : connections) {
            events.push_back(c->event.get());
            nearest = std::min(nearest, c->deadline);
        }
        DWORD timeout =
            nearest == ~0ull ? WSA_INFINITE : static_cast<DWORD>(nearest > now ? nearest - now : 0);
        DWORD woke = WSAWaitForMultipleEvents(static_cast<DWORD>(events.size()), events.data(),
                                              FALSE, timeout, FALSE);
        if (woke == WSA_WAIT_EVENT_0 || woke == WSA_WAIT_FAILED) break;
        now = GetTickCount64();
        // Only the signalled one is asked what happened (each question is a round trip under
        // Wine); another one signalled as well wakes the next wait at once.
        const std::size_t signalled = woke - WSA_WAIT_EVENT_0;
        if (signalled == 1) {
            acceptWaiting(connections);
        } else if (signalled >= 2 && signalled < events.size()) {
            Connection& c = *connections[signalled - 2];
            WSANETWORKEVENTS happened{};
            if (WSAEnumNetworkEvents(c.socket.get(), c.event.get(), &happened) != 0 ||
                !advance(c, happened.lNetworkEvents, now))
                c.deadline = 0;  // done with: goes below
        }
        std::erase_if(connections,
                      [&](const std::unique_ptr<Connection>& c) { return now >= c->deadline; });
    }
}

void RequestServerWin32::acceptWaiting(std::vector<std::unique_ptr<Connection>>& connections) {
    WSANETWORKEVENTS happened{};
    if (WSAEnumNetworkEvents(listener_.get(), listenEvent_.get(), &happened) != 0 ||
        !(happened.lNetworkEvents & FD_ACCEPT))
        return;
    // One at a time: accept() signals the event again while more are waiting.
    sockaddr_in peer{};
    int size = sizeof peer;
    UniqueSocket accepted(accept(listener_.get(), reinterpret_cast<sockaddr*>(&peer), &size));
    if (!accepted) return;
    // Past the bound, or not on the list: closed at once, without a reply.
    if (connections.size() >= bounds_.mostConnections || (filter_ && !filter_(peerOf(peer))))
        return;
    auto c = std::make_unique<Connection>();
    c->socket = std::move(accepted);
    c->event.reset(WSACreateEvent());
    if (!c->event ||
        WSAEventSelect(c->socket.get(), c->event.get(), FD_READ | FD_WRITE | FD_CLOSE) != 0)
        return;
    // The whole head must come within the idle time, however slowly it trickles in.
    c->deadline = GetTickCount64() + bounds_.idleMs;
    connections.push_back(std::move(c));
}

bool RequestServerWin32::advance(Connection& c, long events, unsigned long long now) {
    if (c.phase == Phase::Writing) return write(c, now);
    if (events & (FD_READ | FD_CLOSE)) return read(c, now);
    return true;
}

bool RequestServerWin32::read(Connection& c, unsigned long long now) {
    char chunk[kChunk];
    for (;;) {
        std::size_t room = c.phase == Phase::Reading
                               ? bounds_.mostRequestBytes + 1 - c.received.size()
                               : kMostDrainedBytes - c.drained;
        if (room == 0) return false;
        int n =
            recv(c.socket.get(), chunk, static_cast<int>(std::min<std::size_t>(room, kChunk)), 0);
        if (n == 0) return false;  // the peer closed
        if (n < 0) return WSAGetLastError() == WSAEWOULDBLOCK;
        if (c.phase == Phase::Draining) {
            c.drained += static_cast<std::size_t>(n);
            continue;
        }
        c.received.append(chunk, static_cast<std::size_t>(n));
        platform::ConnectionReply reply = handler_(c.received);
        if (!reply.ready) {
            if (c.received.size() > bounds_.mostRequestBytes) return false;
            continue;
        }
        c.outbound = std::move(reply.bytes);
        c.drainAfter = reply.drain;
        c.keepOpen = reply.keepOpen;
        c.received.clear();
        c.phase = Phase::Writing;
        return write(c, now);
    }
}

bool RequestServerWin32::write(Connection& c, unsigned long long now) {
    while (c.sent < c.outbound.size()) {
        int n = send(c.socket.get(), c.outbound.data() + c.sent,
                     static_cast<int>(std::min<std::size_t>(c.outbound.size() - c.sent, 65536)), 0);
        if (n < 0) return WSAGetLastError() == WSAEWOULDBLOCK;
        c.sent += static_cast<std::size_t>(n);
        c.deadline = now + bounds_.idleMs;  // a reader that takes it, however slowly, keeps it
    }
    if (c.keepOpen) {
        // The next request must come whole within the idle time, as the first did.
        c.phase = Phase::Reading;
        c.outbound.clear();
        c.sent = 0;
        c.deadline = now + bounds_.idleMs;
        return true;
    }
    shutdown(c.socket.get(), SD_SEND);
    if (!c.drainAfter) return false;
    c.phase = Phase::Draining;
    c.deadline = now + bounds_.idleMs;
    return read(c, now);
}

}  // namespace win32
