#include "platform/socket_page_fetch.h"

#include <utility>

namespace platform {

SocketPageFetch::SocketPageFetch(TcpSocket& socket, PageAddress page, std::optional<Endpoint> proxy,
                                 std::string userAgent, std::size_t maxBody, Finished finished,
                                 std::string authorization)
    : socket_(socket),
      page_(std::move(page)),
      proxy_(std::move(proxy)),
      userAgent_(std::move(userAgent)),
      authorization_(std::move(authorization)),
      response_(maxBody),
      finished_(std::move(finished)) {}

void SocketPageFetch::start() {
    socket_.setEvents(this);
    const Endpoint to = proxy_ ? *proxy_ : Endpoint{page_.host, page_.port};
    if (socket_.connect(to.host, to.port)) settle(PageResponse::Progress::Failed);
}

void SocketPageFetch::onConnected(const std::wstring&) {
    socket_.send(pageRequest(page_, proxy_.has_value(), userAgent_, authorization_));
}

void SocketPageFetch::onDataArrival() {
    // Read in pieces, so that a page far over the bound is never held whole.
    constexpr std::size_t kPiece = 64 * 1024;
    for (;;) {
        std::string piece = socket_.receive(kPiece);
        if (piece.empty()) return;
        auto progress = response_.add(piece);
        if (progress != PageResponse::Progress::Reading) return settle(progress);
    }
}

void SocketPageFetch::onClosedByPeer() { settle(response_.end()); }

void SocketPageFetch::onError(const SocketFailure&) { settle(PageResponse::Progress::Failed); }

void SocketPageFetch::settle(PageResponse::Progress progress) {
    if (!finished_) return;
    Outcome outcome;
    if (progress == PageResponse::Progress::Done) {
        if (response_.redirected())
            outcome.redirect = resolveLocation(
                page_, std::wstring(response_.location().begin(), response_.location().end()));
        else
            outcome.ok = true, outcome.body = response_.body();
    }
    outcome.status = response_.status();
    outcome.tooLarge = response_.tooLarge();
    outcome.contentEncoding = response_.contentEncoding();
    socket_.close();
    std::exchange(finished_, nullptr)(std::move(outcome));
}

}  // namespace platform
