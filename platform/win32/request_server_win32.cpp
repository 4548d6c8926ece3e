#include "platform/win32/request_server_win32.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <utility>

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

// An IPv4 peer of a socket that takes both comes as ::ffff:a.b.c.d: written as IPv4.
std::string textOf(const sockaddr_storage& address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(address).sin_addr, text,
                  sizeof text);
        return text;
    }
    const in6_addr& v6 = reinterpret_cast<const sockaddr_in6&>(address).sin6_addr;
    if (IN6_IS_ADDR_V4MAPPED(&v6)) {
        inet_ntop(AF_INET, &v6.s6_addr[12], text, sizeof text);
        return text;
    }
    inet_ntop(AF_INET6, &v6, text, sizeof text);
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
    bool readWaiting = false;  // the peer sent more while the reply was going out
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
                                                  platform::PeerFilter filter,
                                                  std::string busyReply) {
    stop();
    auto fail = [this](int number) -> platform::SocketFailure {
        listener_.reset();
        listenEvent_.reset();
        stopEvent_.reset();
        return {number, describeSocketError(number)};
    };
    if (!started_) return fail(WSANOTINITIALISED);
    sockaddr_storage at{};
    int atSize = 0;
    auto& v4 = reinterpret_cast<sockaddr_in&>(at);
    auto& v6 = reinterpret_cast<sockaddr_in6&>(at);
    if (InetPtonW(AF_INET, address.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(port);
        atSize = sizeof v4;
    } else if (InetPtonW(AF_INET6, address.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(port);
        atSize = sizeof v6;
    } else {
        return fail(WSAEADDRNOTAVAIL);
    }
    listener_.reset(::socket(at.ss_family, SOCK_STREAM, IPPROTO_TCP));
    if (!listener_) return fail(WSAGetLastError());
    // Another program on the port is an error to report, never a port to share.
    BOOL exclusive = TRUE;
    setsockopt(listener_.get(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
               reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    const bool everyAddress = at.ss_family == AF_INET6 ? IN6_IS_ADDR_UNSPECIFIED(&v6.sin6_addr)
                                                       : v4.sin_addr.s_addr == INADDR_ANY;
    if (at.ss_family == AF_INET6 && everyAddress) {
        // "::" means every address, IPv4 ones too, as "0.0.0.0" does for IPv4.
        DWORD v6Only = 0;
        setsockopt(listener_.get(), IPPROTO_IPV6, IPV6_V6ONLY,
                   reinterpret_cast<const char*>(&v6Only), sizeof v6Only);
    }
    boundAddress_ = everyAddress ? std::string() : textOf(at);
    if (bind(listener_.get(), reinterpret_cast<const sockaddr*>(&at), atSize) != 0 ||
        listen(listener_.get(), SOMAXCONN) != 0)
        return fail(WSAGetLastError());
    listenEvent_.reset(WSACreateEvent());
    stopEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!listenEvent_ || !stopEvent_) return fail(WSAENOBUFS);
    if (WSAEventSelect(listener_.get(), listenEvent_.get(), FD_ACCEPT) != 0)
        return fail(WSAGetLastError());
    handler_ = std::move(handler);
    filter_ = std::move(filter);
    busyReply_ = std::move(busyReply);
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
    sockaddr_storage peer{};
    int size = sizeof peer;
    UniqueSocket accepted(accept(listener_.get(), reinterpret_cast<sockaddr*>(&peer), &size));
    if (!accepted) return;
    if (filter_) {
        // Listening on one address, that is the one connected to: no need to ask.
        std::string local = boundAddress_;
        if (local.empty()) {
            sockaddr_storage own{};
            int ownSize = sizeof own;
            if (getsockname(accepted.get(), reinterpret_cast<sockaddr*>(&own), &ownSize) == 0)
                local = textOf(own);
        }
        // Not on the list: closed at once, without a reply.
        if (!filter_(textOf(peer), local)) return;
    }
    if (connections.size() >= bounds_.mostConnections) return turnAway(accepted.get());
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

void RequestServerWin32::turnAway(SOCKET s) {
    // What the peer sent already is read first: closing over unread bytes would reset the
    // reply away. The socket is non-blocking, as the listener is, so nothing here waits.
    char chunk[kChunk];
    recv(s, chunk, sizeof chunk, 0);
    send(s, busyReply_.data(), static_cast<int>(busyReply_.size()), 0);
    shutdown(s, SD_SEND);
}

bool RequestServerWin32::advance(Connection& c, long events, unsigned long long now) {
    if (c.phase == Phase::Writing) {
        c.readWaiting = c.readWaiting || (events & (FD_READ | FD_CLOSE));
        return write(c, now);
    }
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
        return respond(c, std::move(reply), now);
    }
}

bool RequestServerWin32::respond(Connection& c, platform::ConnectionReply reply,
                                 unsigned long long now) {
    c.outbound = std::move(reply.bytes);
    c.sent = 0;
    c.drainAfter = reply.drain;
    c.keepOpen = reply.keepOpen;
    if (c.keepOpen)
        c.received.erase(0, std::min(reply.consumed, c.received.size()));
    else
        c.received.clear();
    c.phase = Phase::Writing;
    return write(c, now);
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
        // Requests sent right behind the last (pipelined) are answered in their order: what
        // was read already first, then what came while the reply went out.
        if (!c.received.empty()) {
            platform::ConnectionReply next = handler_(c.received);
            if (next.ready) return respond(c, std::move(next), now);
        }
        if (std::exchange(c.readWaiting, false)) return read(c, now);
        return true;
    }
    shutdown(c.socket.get(), SD_SEND);
    if (!c.drainAfter) return false;
    c.phase = Phase::Draining;
    c.deadline = now + bounds_.idleMs;
    return read(c, now);
}

}  // namespace win32
