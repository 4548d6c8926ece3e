#pragma once
// clang-format off: winsock2.h must come before windows.h
#include <windows.h>
#include <winsock2.h>
// clang-format on

#include <string>

#include "platform/tcp_socket.h"
#include "platform/win32/owned_window.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

struct SocketTraits {
    using Handle = SOCKET;
    static SOCKET invalid() { return INVALID_SOCKET; }
    static void close(SOCKET s) { closesocket(s); }
};
using UniqueSocket = UniqueHandle<SocketTraits>;

// A non-blocking TCP socket on the user-interface thread: Winsock reports its events as messages
// to a message-only window of its own (WSAAsyncSelect), and host names resolve the same way.
class TcpSocketWin32 : public platform::TcpSocket {
public:
    TcpSocketWin32();
    ~TcpSocketWin32() override;
    TcpSocketWin32(const TcpSocketWin32&) = delete;
    TcpSocketWin32& operator=(const TcpSocketWin32&) = delete;

    void setEvents(platform::SocketEvents* events) override { events_ = events; }
    platform::SocketState state() const override { return state_; }
    void close() override;
    platform::SocketFailure listen(std::uint16_t port) override;
    platform::SocketFailure connect(const std::wstring& host, std::uint16_t port) override;
    void accept() override;
    void send(const std::string& bytes) override;
    std::size_t unsentBytes() const override { return outbound_.size() - sentOffset_; }
    std::string receive(std::size_t maxBytes) override;

private:
    UINT socketMessage() const;
    UINT resolveMessage() const;
    UINT failureMessage() const;
    // A new socket with its events going to this generation's message.
    platform::SocketFailure open(long events);
    platform::SocketFailure fail(int number);
    platform::SocketFailure startConnect(std::uint32_t address);
    void onSocketEvent(WORD event, WORD error);
    void onResolved(WORD error);
    void onAccept();
    void onPeerClosed(WORD error);
    void flush();
    void report(int number);

    MessageWindow window_;
    platform::SocketEvents* events_ = nullptr;
    platform::SocketState state_ = platform::SocketState::Closed;
    UniqueSocket socket_;
    UniqueSocket request_;  // a peer's connection while its request is being decided
    // Messages of a socket closed since are told apart by a message number per generation.
    unsigned generation_ = 0;
    HANDLE resolving_ = nullptr;
    std::uint16_t port_ = 0;
    char hostBuffer_[MAXGETHOSTSTRUCT] = {};
    std::string outbound_;
    std::size_t sentOffset_ = 0;
    bool started_ = false;
};

}  // namespace win32
