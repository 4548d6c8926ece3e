#include "platform/win32/tcp_socket_win32.h"

#include <ws2tcpip.h>

#include <algorithm>

#include "base/texts.h"
#include "platform/win32/ansi.h"
#include "platform/win32/socket_errors.h"

namespace win32 {
namespace {

using platform::SocketState;

constexpr wchar_t kClassName[] = L"KorvaNT.Socket";
constexpr UINT kFirstMessage = WM_APP + 0x100;
constexpr unsigned kGenerations = 0x1000;  // three messages each, inside the WM_APP range
constexpr int kChunk = 64 * 1024;

std::wstring dotted(const sockaddr_in& address) {
    wchar_t text[INET_ADDRSTRLEN] = {};
    InetNtopW(AF_INET, &address.sin_addr, text, INET_ADDRSTRLEN);
    return text;
}

}  // namespace

TcpSocketWin32::TcpSocketWin32() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    window_.create(kClassName, [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT&) {
        if (msg < kFirstMessage || msg >= kFirstMessage + 3 * kGenerations) return false;
        // A message of an earlier generation belongs to a socket closed since.
        if (msg == socketMessage() && static_cast<SOCKET>(wp) == socket_.get())
            onSocketEvent(WSAGETSELECTEVENT(lp), WSAGETSELECTERROR(lp));
        else if (msg == resolveMessage() && reinterpret_cast<HANDLE>(wp) == resolving_)
            onResolved(WSAGETASYNCERROR(lp));
        else if (msg == failureMessage())
            report(static_cast<int>(wp));
        return true;
    });
}

TcpSocketWin32::~TcpSocketWin32() {
    close();
    if (started_) WSACleanup();
}

UINT TcpSocketWin32::socketMessage() const {
    return kFirstMessage + 3 * (generation_ % kGenerations);
}
UINT TcpSocketWin32::resolveMessage() const { return socketMessage() + 1; }
UINT TcpSocketWin32::failureMessage() const { return socketMessage() + 2; }

void TcpSocketWin32::close() {
    if (resolving_) WSACancelAsyncRequest(resolving_);
    resolving_ = nullptr;
    socket_.reset();
    ++generation_;
    std::string().swap(outbound_);
    sentOffset_ = 0;
    state_ = SocketState::Closed;
}

platform::SocketFailure TcpSocketWin32::fail(int number) {
    socket_.reset();
    ++generation_;
    state_ = SocketState::Error;
    return {number, describeSocketError(number)};
}

platform::SocketFailure TcpSocketWin32::open(long events) {
    close();
    if (!window_.hwnd()) return fail(WSAENOTSOCK);
    socket_.reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!socket_) return fail(WSAGetLastError());
    if (WSAAsyncSelect(socket_.get(), window_.hwnd(), socketMessage(), events) != 0)
        return fail(WSAGetLastError());
    return {};
}

platform::SocketFailure TcpSocketWin32::listen(std::uint16_t port) {
    if (auto failure = open(FD_ACCEPT)) return failure;
    // No SO_EXCLUSIVEADDRUSE: with it Windows refuses this bind while a connection accepted on
    // the port is still open or in TIME_WAIT, which is just what follows a disconnect, and the
    // listener is made afresh on the next tick after every connection.
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(port);
    if (bind(socket_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket_.get(), SOMAXCONN) != 0)
        return fail(WSAGetLastError());
    state_ = SocketState::Listening;
    return {};
}

platform::SocketFailure TcpSocketWin32::connect(const std::wstring& host, std::uint16_t port) {
    if (auto failure = open(FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE)) return failure;
    port_ = port;
    in_addr address{};
    if (InetPtonW(AF_INET, host.c_str(), &address) == 1) return startConnect(address.s_addr);
    // A name resolves without blocking; its answer comes as a message.
    std::string name = toAnsi(host);
    state_ = SocketState::ResolvingHost;
    resolving_ = WSAAsyncGetHostByName(window_.hwnd(), resolveMessage(), name.c_str(), hostBuffer_,
                                       sizeof hostBuffer_);
    if (!resolving_) return fail(WSAGetLastError());
    return {};
}

platform::SocketFailure TcpSocketWin32::startConnect(std::uint32_t address) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = address;
    to.sin_port = htons(port_);
    state_ = SocketState::Connecting;
    if (::connect(socket_.get(), reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK)
        return fail(WSAGetLastError());
    return {};
}

void TcpSocketWin32::onResolved(WORD error) {
    resolving_ = nullptr;
    auto* host = reinterpret_cast<hostent*>(hostBuffer_);
    if (error == 0 && (host->h_addrtype != AF_INET || !host->h_addr_list[0]))
        error = WSAHOST_NOT_FOUND;
    if (error) return report(error);
    state_ = SocketState::HostResolved;
    std::uint32_t address = 0;
    std::copy_n(host->h_addr_list[0], sizeof address, reinterpret_cast<char*>(&address));
    if (auto failure = startConnect(address)) report(failure.number);
}

void TcpSocketWin32::onSocketEvent(WORD event, WORD error) {
    switch (event) {
        case FD_ACCEPT:
            if (state_ == SocketState::Listening) onAccept();
            return;
        case FD_CONNECT:
            if (state_ != SocketState::Connecting) return;
            if (error) return report(error);
            state_ = SocketState::Connected;
            if (events_) {
                sockaddr_in peer{};
                int size = sizeof peer;
                getpeername(socket_.get(), reinterpret_cast<sockaddr*>(&peer), &size);
                events_->onConnected(dotted(peer));
            }
            return;
        case FD_READ:
            if (state_ == SocketState::Connected && events_) events_->onDataArrival();
            return;
        case FD_WRITE:
            flush();
            return;
        case FD_CLOSE:
            if (state_ == SocketState::Connected) onPeerClosed(error);
            return;
    }
}

void TcpSocketWin32::onAccept() {
    sockaddr_in peer{};
    int size = sizeof peer;
    request_.reset(::accept(socket_.get(), reinterpret_cast<sockaddr*>(&peer), &size));
    if (!request_) return;
    if (events_) events_->onConnectionRequest(dotted(peer));
    request_.reset();  // not taken: refused
}

void TcpSocketWin32::accept() {
    if (!request_) return;
    close();
    socket_ = std::move(request_);
    // The accepted socket came with the listener's events; it gets a connection's own.
    if (WSAAsyncSelect(socket_.get(), window_.hwnd(), socketMessage(),
                       FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        fail(WSAGetLastError());
        return;
    }
    state_ = SocketState::Connected;
}

// Whatever the peer sent before it closed is reported first.
void TcpSocketWin32::onPeerClosed(WORD error) {
    unsigned current = generation_;
    for (;;) {
        u_long waiting = 0;
        if (ioctlsocket(socket_.get(), FIONREAD, &waiting) != 0 || waiting == 0 || !events_) break;
        events_->onDataArrival();
        if (generation_ != current) return;  // closed meanwhile
        u_long left = 0;
        if (ioctlsocket(socket_.get(), FIONREAD, &left) != 0 || left >= waiting) break;
    }
    if (error) return report(error);
    state_ = SocketState::PeerClosing;
    if (events_) events_->onClosedByPeer();
}

void TcpSocketWin32::report(int number) {
    socket_.reset();
    ++generation_;
    state_ = SocketState::Error;
    if (events_) events_->onError({number, describeSocketError(number)});
}

void TcpSocketWin32::send(const std::string& bytes) {
    if (state_ != SocketState::Connected) return;
    outbound_ += bytes;
    flush();
}

void TcpSocketWin32::flush() {
    while (state_ == SocketState::Connected && sentOffset_ < outbound_.size()) {
        int n = static_cast<int>(std::min<std::size_t>(outbound_.size() - sentOffset_, kChunk));
        int sent = ::send(socket_.get(), outbound_.data() + sentOffset_, n, 0);
        if (sent == SOCKET_ERROR) {
            int error = WSAGetLastError();
            // A failure is reported from the message loop, not from inside the caller's send.
            if (error != WSAEWOULDBLOCK) PostMessageW(window_.hwnd(), failureMessage(), error, 0);
            return;
        }
        sentOffset_ += static_cast<std::size_t>(sent);
    }
    if (sentOffset_ == outbound_.size()) {
        std::string().swap(outbound_);
        sentOffset_ = 0;
    }
}

std::string TcpSocketWin32::receive(std::size_t maxBytes) {
    std::string bytes;
    while (state_ == SocketState::Connected && bytes.size() < maxBytes) {
        std::size_t have = bytes.size();
        int want = static_cast<int>(std::min<std::size_t>(maxBytes - have, kChunk));
        bytes.resize(have + want);
        int n = recv(socket_.get(), bytes.data() + have, want, 0);
        bytes.resize(have + (n > 0 ? n : 0));
        if (n <= 0) break;
    }
    return bytes;
}

}  // namespace win32
