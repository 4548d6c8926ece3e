// The clipboard link over any sequence of what its socket, its clipboard, its timers and the
// user can do, with a peer that sends any bytes in pieces of any size. What must hold throughout:
// the link never holds more than one text's bound of what arrived, only an allowed peer (or the
// host it connected to) reaches the clipboard, and then with exactly what it sent, a received
// text is never sent back, only the clipboard's current text goes out, and the page's texts are
// ones the link can mean.
#include <fuzzer/FuzzedDataProvider.h>

#include <set>

#include "fakes/fake_clock.h"
#include "fakes/fake_desktop_state.h"
#include "fakes/fake_tcp_socket.h"
#include "features/clipboard_link.h"
#include "fuzz_input.h"

using platform::SocketState;

namespace {

// Small, so that a text past it costs little.
constexpr std::size_t kBound = 64;

const wchar_t* const kAddresses[] = {L"127.0.0.1", L"127.0.0.1 ", L" 127.0.0.1", L"127.0.0.2", L""};

struct Rig;

class Socket : public fakes::FakeTcpSocket {
public:
    explicit Socket(Rig& rig) : rig_(rig) {}
    std::string received;  // what the link took since it last put a text on the clipboard
    void close() override;
    std::string receive(std::size_t maxBytes) override;
    void send(const std::string& bytes) override;

private:
    Rig& rig_;
};

class Writer : public platform::ClipboardWriter {
public:
    explicit Writer(Rig& rig) : rig_(rig) {}
    bool fails = false;
    bool writeText(const std::wstring& text) override;

private:
    Rig& rig_;
};

struct Rig {
    settings::Settings settings;
    Socket socket{*this};
    fakes::FakeClipboard clipboard;
    Writer writer{*this};
    fakes::FakeAnsiCodec codec;
    fakes::FakeClock clock;
    features::ClipboardLink link{settings, {socket, clipboard, writer, codec, clock}, kBound};

    bool trusted = false;    // the connection is with an allowed peer or the host connected to
    bool mayEcho = false;    // the clipboard holds what arrived last, as far as the user knows
    std::wstring delivered;  // what arrived last
    std::set<std::wstring> peers, refused;
    std::set<std::wstring> failures;
    bool timerArmed = false;
    std::uint32_t timerDue = 0;

    Rig() {
        link.armQuietTimer = [this](unsigned ms) {
            timerArmed = true;
            timerDue = clock.now + ms;
        };
    }

    void connectionEnds() {
        trusted = false;
        mayEcho = false;
        socket.received.clear();
    }

    bool allowed(const std::wstring& address) const {
        return address == settings.linkAllowed1 || address == settings.linkAllowed2 ||
               address == settings.linkAllowed3;
    }

    std::wstring decoded(const std::string& bytes) {
        std::wstring text = codec.fromAnsi(bytes);
        return text.substr(0, text.find(L'\0'));
    }

    void requireWellFormed() {
        const features::ClipboardLinkView& view = link.view();
        bool knownState = view.stateText.empty();
        for (int s = 0; s <= static_cast<int>(SocketState::Error); ++s)
            knownState |= view.stateText == features::linkStateText(static_cast<SocketState>(s));
        fuzz::require(knownState, "the state text is no state");

        const std::wstring& event = view.eventText;
        const std::wstring peerPrefix = L"接続先IPアドレス  ";
        const std::wstring refusedSuffix = L"からの接続がありましたが拒否しました。";
        bool known = event.empty() || failures.count(event) ||
                     event == L"ポート番号は 1～65535 の数で指定してください" ||
                     event == L"接続先IPアドレスが指定されていません" ||
                     event == L"受信したテキストが 16MB を超えたため切断しました" ||
                     event == L"クリップボードのテキストが 16MB を超えるため送信しません";
        if (!known && event.starts_with(peerPrefix))
            known = peers.count(event.substr(peerPrefix.size())) > 0;
        if (!known && event.ends_with(refusedSuffix))
            known = refused.count(event.substr(0, event.size() - refusedSuffix.size())) > 0;
        fuzz::require(known, "the event text is none the link shows");
    }
};

void Socket::close() {
    FakeTcpSocket::close();
    rig_.connectionEnds();
}

std::string Socket::receive(std::size_t maxBytes) {
    std::string piece = FakeTcpSocket::receive(maxBytes);
    received += piece;
    fuzz::require(received.size() <= kBound + 1, "the link holds more than a text's bound");
    return piece;
}

void Socket::send(const std::string& bytes) {
    fuzz::require(current == State::Connected, "sent without a connection");
    fuzz::require(bytes.size() <= kBound, "sent more than a text's bound");
    const platform::ClipboardRead& now = rig_.clipboard.content;
    fuzz::require(now.hasText && bytes == rig_.codec.toAnsi(now.text),
                  "sent what the clipboard does not hold");
    fuzz::require(!rig_.mayEcho || bytes != rig_.codec.toAnsi(rig_.delivered),
                  "a received text was sent back");
    FakeTcpSocket::send(bytes);
}

bool Writer::writeText(const std::wstring& text) {
    fuzz::require(rig_.trusted, "a text from a peer not allowed reached the clipboard");
    fuzz::require(text == rig_.decoded(rig_.socket.received),
                  "the clipboard got other than what the peer sent");
    rig_.socket.received.clear();
    rig_.delivered = text;
    rig_.mayEcho = true;
    if (fails) return false;
    rig_.clipboard.content = {true, true, text};
    return true;
}

std::wstring anyText(FuzzedDataProvider& input, std::size_t maxBytes) {
    if (input.ConsumeBool()) return kAddresses[input.ConsumeIntegralInRange<int>(0, 4)];
    return fuzz::wideText(input.ConsumeRandomLengthString(maxBytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Rig rig;
    settings::Settings& s = rig.settings;
    s.clipboardLinkOn = 1;
    s.linkPort = L"5580";
    s.linkRemoteHost = L"127.0.0.1";
    s.linkAllowed1 = L"127.0.0.1";
    Socket& socket = rig.socket;

    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 13)) {
            case 0:
                rig.link.tick();
                break;
            case 1:
                rig.clock.now += input.ConsumeIntegralInRange(0, 400);
                if (rig.timerArmed &&
                    static_cast<std::int32_t>(rig.clock.now - rig.timerDue) >= 0) {
                    rig.timerArmed = false;
                    rig.link.quietTimerFired();
                }
                break;
            case 2: {
                if (socket.current != SocketState::Listening) break;
                std::wstring address = anyText(input, 24);
                bool allowed = rig.allowed(address);
                (allowed ? rig.peers : rig.refused).insert(address);
                socket.peerRequests(address);
                if (socket.current == SocketState::Connected) {
                    fuzz::require(allowed, "a peer not allowed was accepted");
                    rig.trusted = true;
                }
                break;
            }
            case 3: {
                if (socket.current != SocketState::Connecting) break;
                std::wstring address = anyText(input, 24);
                rig.peers.insert(address);
                rig.trusted = true;
                socket.connectionMade(address);
                break;
            }
            case 4: {
                if (socket.current != SocketState::Connected) break;
                std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 2 * kBound);
                std::string piece = input.ConsumeBytesAsString(length);
                if (input.ConsumeBool()) piece.resize(length, 'x');
                socket.peerSends(piece);
                break;
            }
            case 5:
                if (socket.current == SocketState::Connected) socket.peerCloses();
                break;
            case 6: {
                if (socket.current == SocketState::Closed || socket.current == SocketState::Error)
                    break;
                int number = input.ConsumeIntegralInRange(10000, 11004);
                rig.failures.insert(std::to_wstring(number) + L"    failed");
                rig.connectionEnds();
                socket.fails(number);
                break;
            }
            case 7: {
                int kind = input.ConsumeIntegralInRange(0, 3);
                if (kind == 0) rig.clipboard.content = {true, false, L""};  // an image only
                if (kind == 1) rig.clipboard.content = {false, false, L""};
                if (kind >= 2) rig.clipboard.content = {true, true, anyText(input, kBound + 8)};
                rig.mayEcho = false;
                break;
            }
            case 8:
                rig.link.connect();
                break;
            case 9:
                rig.link.disconnect();
                break;
            case 10:
                s.clipboardLinkOn = s.clipboardLinkOn == 1 ? 0 : 1;
                rig.link.enabledChanged();
                break;
            case 11: {
                std::wstring text = anyText(input, 24);
                switch (input.ConsumeIntegralInRange(0, 5)) {
                    case 0:
                        s.linkAllowed1 = text;
                        break;
                    case 1:
                        s.linkAllowed2 = text;
                        break;
                    case 2:
                        s.linkAllowed3 = text;
                        break;
                    case 3:
                        s.linkRemoteHost = text;
                        break;
                    case 4:
                        s.linkPort = input.ConsumeBool() ? L"5580" : text;
                        break;
                    case 5:
                        s.linkReconnect = s.linkReconnect == 1 ? 0 : 1;
                        break;
                }
                break;
            }
            case 12:
                socket.listenFailure = input.ConsumeBool()
                                           ? platform::SocketFailure{}
                                           : platform::SocketFailure{10048, L"failed"};
                if (socket.listenFailure) rig.failures.insert(L"10048    failed");
                break;
            case 13:
                socket.unsent = input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange(1, 100);
                rig.writer.fails = input.ConsumeBool();
                break;
        }
        rig.requireWellFormed();
    }
    return 0;
}
