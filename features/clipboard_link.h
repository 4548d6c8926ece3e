#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/ansi_codec.h"
#include "platform/clipboard.h"
#include "platform/clipboard_writer.h"
#include "platform/clock.h"
#include "platform/tcp_socket.h"
#include "settings/settings.h"

namespace features {

// A received text is whole once the connection has been quiet this long: the wire has no
// framing, and one text can arrive in many pieces.
constexpr unsigned kLinkQuietMilliseconds = 150;
// The largest text shared either way, in bytes on the wire.
constexpr std::size_t kLinkMaxTextBytes = 16 * 1024 * 1024;
// While listening with reconnection on, every this many ticks tries to connect out.
constexpr int kLinkRetryTicks = 5;
// A received text the clipboard refused is tried again on this many ticks, then given up.
constexpr int kLinkDeliveryTries = 5;

// The port text as a port: a number 1-65535 (blanks around it allowed).
std::optional<std::uint16_t> linkPort(const std::wstring& text);

// The socket state as the link's page shows it.
const wchar_t* linkStateText(platform::SocketState state);

struct ClipboardLinkServices {
    platform::TcpSocket& socket;
    platform::Clipboard& clipboard;
    platform::ClipboardWriter& clipboardWriter;
    platform::AnsiCodec& codec;
    platform::Clock& clock;
};

// What the link's page shows.
struct ClipboardLinkView {
    std::wstring stateText;      // the socket's state as of the last tick
    std::wstring eventText;      // the peer, or what happened last
    std::wstring sharedText;     // the text last sent or received; empty between connections
    unsigned sharedChanges = 0;  // counts changes of sharedText, which can be large to show again
};

// Two copies keep their clipboard texts the same over one TCP connection. Each listens while
// it is not connected; either may connect out. Incoming peers are accepted only from the allowed
// addresses. The settings are read at the moment the link acts.
class ClipboardLink : private platform::SocketEvents {
public:
    // `maxTextBytes` is smaller only in tests, where a text past the bound must be cheap.
    ClipboardLink(const settings::Settings& settings, ClipboardLinkServices services,
                  std::size_t maxTextBytes = kLinkMaxTextBytes);
    ~ClipboardLink() override;
    ClipboardLink(const ClipboardLink&) = delete;
    ClipboardLink& operator=(const ClipboardLink&) = delete;

    // The one-second upkeep: listen when closed, show the state, send a changed clipboard text,
    // and try to connect out every fifth listening tick when reconnection is on.
    void tick();
    // "接続": drops what there is and connects out to the configured host.
    void connect();
    // "切断"
    void disconnect();
    // The enable switch changed; off disconnects at once.
    void enabledChanged();
    // The timer asked for through armQuietTimer fired.
    void quietTimerFired();

    const ClipboardLinkView& view() const { return view_; }
    std::function<void()> onViewChange;
    // A one-shot timer that calls quietTimerFired() after the given time; arming again replaces it.
    std::function<void(unsigned milliseconds)> armQuietTimer;

private:
    void onConnectionRequest(const std::wstring& peerAddress) override;
    void onConnected(const std::wstring& peerAddress) override;
    void onDataArrival() override;
    void onClosedByPeer() override;
    void onError(const platform::SocketFailure& failure) override;

    bool on() const { return settings_.clipboardLinkOn == 1; }
    bool allowed(const std::wstring& peerAddress) const;
    void startListening();
    void shareClipboard();
    void deliverGathered();
    void retryDelivery();
    void endConnection();
    void show(std::wstring ClipboardLinkView::*field, std::wstring text);

    const settings::Settings& settings_;
    ClipboardLinkServices services_;
    const std::size_t maxTextBytes_;
    ClipboardLinkView view_;
    bool listenFailed_ = false;
    std::int16_t retryCount_ = 0;
    std::string gathered_;  // what has arrived of the peer's text
    std::uint32_t lastPieceAt_ = 0;
    bool sendWasBusy_ = false;
    // A received text the clipboard refused (another program held it open), and the tries left.
    std::optional<std::wstring> undelivered_;
    int deliveryTries_ = 0;
    // After a text was given up the clipboard still holds the local text the peer's replaced;
    // sending it would answer the peer with its own old copy. It is held back until it changes.
    bool holdBackLocal_ = false;
    std::optional<std::wstring> heldBack_;
};

}  // namespace features
