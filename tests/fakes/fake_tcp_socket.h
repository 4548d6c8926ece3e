#pragma once
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/ansi_codec.h"
#include "platform/tcp_socket.h"

namespace fakes {

// A socket whose peer is the test: it makes requests, sends, closes and fails on command.
class FakeTcpSocket : public platform::TcpSocket {
public:
    using State = platform::SocketState;
    State current = State::Closed;
    platform::SocketEvents* events = nullptr;
    platform::SocketFailure listenFailure;  // returned by the next listen() calls
    int listens = 0, connects = 0, refused = 0;
    std::wstring host;  // of the last connect()
    std::uint16_t port = 0;
    std::vector<std::string> sent;  // one entry per send()
    std::size_t unsent = 0;
    std::string incoming;

    // The peer's side.
    void peerRequests(const std::wstring& address) {
        requestPending_ = true;
        events->onConnectionRequest(address);
        if (std::exchange(requestPending_, false)) ++refused;
    }
    void peerSends(const std::string& bytes) {
        incoming += bytes;
        events->onDataArrival();
    }
    void connectionMade(const std::wstring& address) {
        current = State::Connected;
        events->onConnected(address);
    }
    void peerCloses() {
        current = State::PeerClosing;
        events->onClosedByPeer();
    }
    void fails(int number) {
        current = State::Error;
        events->onError({number, L"failed"});
    }

    void setEvents(platform::SocketEvents* e) override { events = e; }
    State state() const override { return current; }
    void close() override {
        current = State::Closed;
        unsent = 0;
        incoming.clear();
    }
    platform::SocketFailure listen(std::uint16_t p) override {
        ++listens;
        port = p;
        current = listenFailure ? State::Error : State::Listening;
        return listenFailure;
    }
    platform::SocketFailure connect(const std::wstring& h, std::uint16_t p) override {
        ++connects;
        host = h;
        port = p;
        current = State::Connecting;
        return {};
    }
    void accept() override {
        if (std::exchange(requestPending_, false)) current = State::Connected;
    }
    void send(const std::string& bytes) override { sent.push_back(bytes); }
    std::size_t unsentBytes() const override { return unsent; }
    std::string receive(std::size_t maxBytes) override {
        std::string piece = incoming.substr(0, std::min(maxBytes, incoming.size()));
        incoming.erase(0, piece.size());
        return piece;
    }

private:
    bool requestPending_ = false;
};

// UTF-8 stands in for the ANSI code page: a multi-byte code where a piece can end mid-character.
class FakeAnsiCodec : public platform::AnsiCodec {
public:
    std::string toAnsi(const std::wstring& text) override {
        std::string bytes;
        for (wchar_t c : text) {
            auto u = static_cast<unsigned>(c);
            if (u < 0x80) {
                bytes += static_cast<char>(u);
            } else if (u < 0x800) {
                bytes += static_cast<char>(0xC0 | (u >> 6));
                bytes += static_cast<char>(0x80 | (u & 0x3F));
            } else {
                bytes += static_cast<char>(0xE0 | ((u >> 12) & 0x0F));
                bytes += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
                bytes += static_cast<char>(0x80 | (u & 0x3F));
            }
        }
        return bytes;
    }
    // A broken sequence decodes as '?', as a code page conversion would.
    std::wstring fromAnsi(const std::string& bytes) override {
        std::wstring text;
        for (size_t i = 0; i < bytes.size();) {
            auto b = static_cast<unsigned char>(bytes[i]);
            size_t length = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 0;
            if (length == 0 || i + length > bytes.size()) {
                text += L'?';
                ++i;
                continue;
            }
            unsigned u = length == 1 ? b : length == 2 ? b & 0x1F : b & 0x0F;
            for (size_t k = 1; k < length; ++k) u = (u << 6) | (bytes[i + k] & 0x3F);
            text += static_cast<wchar_t>(u);
            i += length;
        }
        return text;
    }
};

}  // namespace fakes
