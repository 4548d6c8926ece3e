#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/tcp_socket.h"

namespace platform {

// What the server does with the bytes one connection has sent so far: wait for more, or send
// `bytes` and close.
struct ConnectionReply {
    bool ready = false;
    std::string bytes;
    // The peer may have sent more than was read (a body, a head refused half-way): what it still
    // sends is read and dropped before the close, so that the close does not reset the reply
    // away. A request read whole closes at once.
    bool drain = true;
    // The peer keeps the connection for its next request (as Prometheus does): the connection
    // waits for it, within the idle time, instead of closing.
    bool keepOpen = false;
    // The bytes of what was received that the request took; those behind it are the start of
    // the next request on a kept connection.
    std::size_t consumed = 0;
};

// Called on the server's worker, never on the user-interface thread.
using RequestHandler = std::function<ConnectionReply(std::string_view received)>;
// Whether a peer may be served, by its address and the address of this machine it connected to
// (IPv4 dotted, IPv6 as written by inet_ntop; an IPv4 peer of a socket that takes both as
// IPv4); one that may not is closed without a reply.
using PeerFilter = std::function<bool(const std::string& peer, const std::string& local)>;

// The hard bounds of a server that strangers may reach.
struct ServerBounds {
    std::size_t mostConnections = 16;
    std::size_t mostRequestBytes = 8 * 1024;  // more is handed over once, for a refusal
    std::uint32_t idleMs = 5000;              // no progress for this long closes a connection
};

// A small TCP server on a worker thread of its own: requests answered in order, every read
// and write bounded. While stopped it has no thread and no socket.
class RequestServer {
public:
    virtual ~RequestServer() = default;
    // Binds `address` (IPv4, or IPv6: "::" takes IPv4 peers too) at `port` and starts serving;
    // a server already running is stopped first. The failure, if any, is known on return and
    // nothing keeps running. A connection past the bound is sent `busyReply` and closed.
    virtual SocketFailure start(const std::wstring& address, std::uint16_t port,
                                RequestHandler handler, PeerFilter filter,
                                std::string busyReply) = 0;
    // Closes the socket and every connection and joins the worker.
    virtual void stop() = 0;
    virtual bool running() const = 0;
};

}  // namespace platform
