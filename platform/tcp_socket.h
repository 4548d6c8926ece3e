#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The states of the link's socket, numbered as the user sees them reported.
enum class SocketState : int {
    Closed = 0,
    Open = 1,
    Listening = 2,
    ConnectionPending = 3,
    ResolvingHost = 4,
    HostResolved = 5,
    Connecting = 6,
    Connected = 7,
    PeerClosing = 8,
    Error = 9,
};

// A failed call: the system's error number and its description; number 0 is success.
struct SocketFailure {
    int number = 0;
    std::wstring description;
    explicit operator bool() const { return number != 0; }
};

// What the socket reports as it happens, always from the message loop, never from inside one of
// the socket's own calls.
class SocketEvents {
public:
    virtual ~SocketEvents() = default;
    // A peer asks to connect while listening. The request is taken by accept() during this call;
    // otherwise it is refused when the call returns.
    virtual void onConnectionRequest(const std::wstring& peerAddress) = 0;
    // An outgoing connection was made.
    virtual void onConnected(const std::wstring& peerAddress) = 0;
    // Bytes are waiting for receive().
    virtual void onDataArrival() = 0;
    // The peer closed the connection; everything it sent has been reported before this.
    virtual void onClosedByPeer() = 0;
    // The state is Error from here until close().
    virtual void onError(const SocketFailure& failure) = 0;
};

// One TCP socket that either listens, connects out or carries one connection, without ever
// blocking: results come back through SocketEvents.
class TcpSocket {
public:
    virtual ~TcpSocket() = default;
    virtual void setEvents(SocketEvents* events) = 0;
    virtual SocketState state() const = 0;
    // Back to Closed from any state; drops what is not sent yet.
    virtual void close() = 0;
    // Binds every local address at `port` and listens; on failure the state is Error.
    virtual SocketFailure listen(std::uint16_t port) = 0;
    // Starts a connection from an ephemeral port to `host` (a dotted address or a name); the
    // result comes as onConnected or onError. A failure that is known at once is returned.
    virtual SocketFailure connect(const std::wstring& host, std::uint16_t port) = 0;
    // Takes the request being reported by onConnectionRequest onto this socket.
    virtual void accept() = 0;
    // Queues bytes behind those not yet sent; they go out as the peer takes them.
    virtual void send(const std::string& bytes) = 0;
    virtual std::size_t unsentBytes() const = 0;
    // Up to `maxBytes` of what has arrived.
    virtual std::string receive(std::size_t maxBytes) = 0;
};

}  // namespace platform
