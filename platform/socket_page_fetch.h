#pragma once
#include <functional>
#include <optional>
#include <string>

#include "platform/page_request.h"
#include "platform/tcp_socket.h"

namespace platform {

// One plain-http fetch over a socket that reports its events (connect, send the request, read
// the response), without a thread or an HTTP library of its own. Bounding it in time is the
// owner's: it closes the socket and drops this fetch.
class SocketPageFetch : public SocketEvents {
public:
    struct Outcome {
        bool ok = false;        // a 2xx page arrived whole and within the bound
        std::string body;       // its bytes
        std::wstring redirect;  // where a 3xx sends the fetch next, resolved; empty otherwise
        int status = 0;         // the answer's, when one came
        bool tooLarge = false;
        std::string contentEncoding;
    };
    using Finished = std::function<void(Outcome)>;

    // `finished` is called once, from within one of the socket's events.
    SocketPageFetch(TcpSocket& socket, PageAddress page, std::optional<Endpoint> proxy,
                    std::string userAgent, std::size_t maxBody, Finished finished,
                    std::string authorization = {});
    void start();

    void onConnectionRequest(const std::wstring&) override {}
    void onConnected(const std::wstring& peerAddress) override;
    void onDataArrival() override;
    void onClosedByPeer() override;
    void onError(const SocketFailure& failure) override;

private:
    void settle(PageResponse::Progress progress);

    TcpSocket& socket_;
    PageAddress page_;
    std::optional<Endpoint> proxy_;
    std::string userAgent_;
    std::string authorization_;
    PageResponse response_;
    Finished finished_;
};

}  // namespace platform
