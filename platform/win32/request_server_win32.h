#pragma once
#include "platform/win32/tcp_socket_win32.h"
// tcp_socket_win32.h brings winsock2.h before windows.h

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/request_server.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

// The request server on Winsock: one worker waits on the stop event, the listening socket and
// each connection's event at once, so it costs nothing between requests.
class RequestServerWin32 : public platform::RequestServer {
public:
    explicit RequestServerWin32(platform::ServerBounds bounds = {});
    ~RequestServerWin32() override;
    RequestServerWin32(const RequestServerWin32&) = delete;
    RequestServerWin32& operator=(const RequestServerWin32&) = delete;

    platform::SocketFailure start(const std::wstring& address, std::uint16_t port,
                                  platform::RequestHandler handler, platform::PeerFilter filter,
                                  std::string busyReply) override;
    void stop() override;
    bool running() const override { return worker_.joinable(); }

private:
    struct Connection;
    void serve();
    void acceptWaiting(std::vector<std::unique_ptr<Connection>>& connections);
    // Moves the connection on as far as its socket allows; false when it is done with.
    bool advance(Connection& c, long events, unsigned long long now);
    bool read(Connection& c, unsigned long long now);
    bool respond(Connection& c, platform::ConnectionReply reply, unsigned long long now);
    bool write(Connection& c, unsigned long long now);
    // Past the bound: told so where it can still be read, and closed.
    void turnAway(SOCKET s);

    platform::ServerBounds bounds_;
    bool started_ = false;
    UniqueSocket listener_;
    UniqueKernelObject listenEvent_;
    UniqueKernelObject stopEvent_;
    platform::RequestHandler handler_;
    platform::PeerFilter filter_;
    std::string busyReply_;
    std::string boundAddress_;  // the address listened on; empty for every address
    std::thread worker_;
};

}  // namespace win32
