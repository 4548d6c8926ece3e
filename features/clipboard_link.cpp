#include "features/clipboard_link.h"

#include <utility>

#include "base/texts.h"

namespace features {
namespace {

using base::Text;
using platform::SocketState;

constexpr Text kStateTexts[] = {
    Text::LinkClosed,      Text::LinkOpen,     Text::LinkListening,  Text::LinkPending,
    Text::LinkResolving,   Text::LinkResolved, Text::LinkConnecting, Text::LinkConnected,
    Text::LinkPeerClosing, Text::LinkError,
};

std::wstring failureText(const platform::SocketFailure& failure) {
    return std::to_wstring(failure.number) + L"    " + failure.description;
}

void release(std::string& bytes) { std::string().swap(bytes); }

}  // namespace

std::optional<std::uint16_t> linkPort(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    size_t last = text.find_last_not_of(L' ');
    if (first == std::wstring::npos || last - first + 1 > 5) return std::nullopt;
    unsigned port = 0;
    for (size_t i = first; i <= last; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        port = port * 10 + (text[i] - L'0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

const wchar_t* linkStateText(SocketState state) {
    return base::text(kStateTexts[static_cast<int>(state)]);
}

ClipboardLink::ClipboardLink(const settings::Settings& settings, ClipboardLinkServices services,
                             std::size_t maxTextBytes)
    : settings_(settings), services_(services), maxTextBytes_(maxTextBytes) {
    services_.socket.setEvents(this);
}

ClipboardLink::~ClipboardLink() { services_.socket.setEvents(nullptr); }

void ClipboardLink::tick() {
    if (!on()) return;
    platform::TcpSocket& socket = services_.socket;
    if (socket.state() == SocketState::Closed) startListening();
    SocketState state = listenFailed_ ? SocketState::Error : socket.state();
    show(&ClipboardLinkView::stateText, linkStateText(state));
    if (state == SocketState::Error) socket.close();
    listenFailed_ = false;
    retryDelivery();
    shareClipboard();
    if (settings_.linkReconnect == 1 && socket.state() == SocketState::Listening) {
        if (retryCount_++ == kLinkRetryTicks - 1) {
            retryCount_ = 0;
            connect();
        }
    }
}

void ClipboardLink::startListening() {
    std::optional<std::uint16_t> port = linkPort(settings_.linkPort);
    if (!port) {
        listenFailed_ = true;
        show(&ClipboardLinkView::eventText, base::text(Text::LinkBadPort));
        return;
    }
    if (platform::SocketFailure failure = services_.socket.listen(*port)) {
        listenFailed_ = true;
        show(&ClipboardLinkView::eventText, failureText(failure));
    }
}

// Sends the clipboard text when it differs from the text last shared. Not while a text of the
// peer is still arriving (the two would cross), nor until the previous text has been out for a
// tick: without framing, two texts close together would reach the peer as one.
void ClipboardLink::shareClipboard() {
    platform::TcpSocket& socket = services_.socket;
    if (socket.state() != SocketState::Connected) {
        sendWasBusy_ = false;
        return;
    }
    bool busy = socket.unsentBytes() > 0;
    if (std::exchange(sendWasBusy_, busy) || busy || !gathered_.empty() || undelivered_) return;
    platform::ClipboardRead read = services_.clipboard.readText(std::wstring::npos);
    if (!read.opened) return;
    if (std::exchange(holdBackLocal_, false))
        heldBack_ = read.hasText ? std::optional<std::wstring>(read.text) : std::nullopt;
    if (!read.hasText || read.text == heldBack_) return;
    heldBack_.reset();
    if (read.text == view_.sharedText) return;
    show(&ClipboardLinkView::sharedText, read.text);
    std::string bytes = services_.codec.toAnsi(read.text);
    if (bytes.size() > maxTextBytes_) {
        show(&ClipboardLinkView::eventText, base::text(Text::LinkTooLargeToSend));
        return;
    }
    socket.send(bytes);
    sendWasBusy_ = socket.unsentBytes() > 0;
}

void ClipboardLink::connect() {
    if (!on()) return;
    platform::TcpSocket& socket = services_.socket;
    socket.close();
    endConnection();
    show(&ClipboardLinkView::eventText, L"");
    std::optional<std::uint16_t> port = linkPort(settings_.linkPort);
    if (!port) {
        show(&ClipboardLinkView::eventText, base::text(Text::LinkBadPort));
        return;
    }
    if (settings_.linkRemoteHost.empty()) {
        show(&ClipboardLinkView::eventText, base::text(Text::LinkNoHost));
        return;
    }
    if (platform::SocketFailure failure = socket.connect(settings_.linkRemoteHost, *port))
        onError(failure);
}

void ClipboardLink::disconnect() {
    services_.socket.close();
    endConnection();
    show(&ClipboardLinkView::stateText, L"");
    show(&ClipboardLinkView::eventText, L"");
}

void ClipboardLink::enabledChanged() {
    if (!on()) disconnect();
}

bool ClipboardLink::allowed(const std::wstring& peerAddress) const {
    // Exact texts: an address typed with a blank is no match.
    return peerAddress == settings_.linkAllowed1 || peerAddress == settings_.linkAllowed2 ||
           peerAddress == settings_.linkAllowed3;
}

void ClipboardLink::onConnectionRequest(const std::wstring& peerAddress) {
    if (!on()) return;
    platform::TcpSocket& socket = services_.socket;
    if (socket.state() != SocketState::Closed) socket.close();
    if (!allowed(peerAddress)) {
        show(&ClipboardLinkView::eventText, base::format(Text::LinkRefused, {peerAddress}));
        return;
    }
    show(&ClipboardLinkView::eventText, base::format(Text::LinkPeer, {peerAddress}));
    socket.accept();
}

void ClipboardLink::onConnected(const std::wstring& peerAddress) {
    show(&ClipboardLinkView::eventText, base::format(Text::LinkPeer, {peerAddress}));
}

void ClipboardLink::onDataArrival() {
    if (!on() || services_.socket.state() != SocketState::Connected) return;
    std::string piece = services_.socket.receive(maxTextBytes_ + 1 - gathered_.size());
    if (piece.empty()) return;
    gathered_ += piece;
    if (gathered_.size() > maxTextBytes_) {
        services_.socket.close();
        endConnection();
        show(&ClipboardLinkView::eventText, base::text(Text::LinkReceivedTooLarge));
        return;
    }
    lastPieceAt_ = services_.clock.tickCount();
    if (armQuietTimer) armQuietTimer(kLinkQuietMilliseconds);
}

void ClipboardLink::quietTimerFired() {
    if (gathered_.empty()) return;
    std::uint32_t quiet = services_.clock.tickCount() - lastPieceAt_;
    if (quiet < kLinkQuietMilliseconds) {
        if (armQuietTimer) armQuietTimer(kLinkQuietMilliseconds - quiet);
        return;
    }
    deliverGathered();
}

// The gathered text onto the clipboard, and as the shared text so that it is not sent back.
void ClipboardLink::deliverGathered() {
    std::wstring text = services_.codec.fromAnsi(gathered_);
    release(gathered_);
    // The clipboard ends a text at its first NUL; what is shared must be what it holds.
    text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
    show(&ClipboardLinkView::sharedText, text);
    deliveryTries_ = 0;
    if (services_.clipboardWriter.writeText(text)) {
        undelivered_.reset();
        holdBackLocal_ = false;
        heldBack_.reset();
    } else {
        undelivered_ = std::move(text);
    }
}

// Until it is on the clipboard, the local text there is not the one to send.
void ClipboardLink::retryDelivery() {
    if (!undelivered_) return;
    if (services_.clipboardWriter.writeText(*undelivered_)) {
        undelivered_.reset();
        holdBackLocal_ = false;
        heldBack_.reset();
        return;
    }
    if (++deliveryTries_ < kLinkDeliveryTries) return;
    undelivered_.reset();
    // What stands there now is held back; still busy, it is whatever the next read finds.
    platform::ClipboardRead read = services_.clipboard.readText(std::wstring::npos);
    if (read.opened)
        heldBack_ = read.hasText ? std::optional<std::wstring>(read.text) : std::nullopt;
    else
        holdBackLocal_ = true;
    show(&ClipboardLinkView::eventText, base::text(Text::LinkNotDelivered));
}

void ClipboardLink::onClosedByPeer() {
    // The peer has finished: what it sent last is whole.
    if (!gathered_.empty()) deliverGathered();
    services_.socket.close();
    endConnection();
    show(&ClipboardLinkView::eventText, L"");
}

void ClipboardLink::onError(const platform::SocketFailure& failure) {
    endConnection();
    show(&ClipboardLinkView::eventText, failureText(failure));
}

// Nothing is shared between connections: after a reconnection the current text goes out again.
void ClipboardLink::endConnection() {
    release(gathered_);
    sendWasBusy_ = false;
    show(&ClipboardLinkView::sharedText, L"");
}

void ClipboardLink::show(std::wstring ClipboardLinkView::*field, std::wstring text) {
    if (view_.*field == text) return;
    view_.*field = std::move(text);
    if (field == &ClipboardLinkView::sharedText) ++view_.sharedChanges;
    if (onViewChange) onViewChange();
}

}  // namespace features
