#include "features/clipboard_link.h"

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_desktop_state.h"
#include "fakes/fake_tcp_socket.h"
#include "platform/cached_clipboard.h"

using features::ClipboardLink;
using platform::SocketState;

namespace {

// Writes go onto the clipboard the link reads, as on one machine.
class SharedClipboardWriter : public platform::ClipboardWriter {
public:
    explicit SharedClipboardWriter(fakes::FakeClipboard& clipboard) : clipboard_(clipboard) {}
    std::vector<std::wstring> written;
    int refusals = 0;  // writes to refuse, as when another program holds the clipboard open
    bool writeText(const std::wstring& text) override {
        if (refusals > 0) {
            --refusals;
            return false;
        }
        written.push_back(text);
        clipboard_.content = {true, true, text};
        return true;
    }

private:
    fakes::FakeClipboard& clipboard_;
};

struct LinkRig {
    settings::Settings settings;
    fakes::FakeTcpSocket socket;
    fakes::FakeClipboard clipboard;
    SharedClipboardWriter writer{clipboard};
    fakes::FakeAnsiCodec codec;
    fakes::FakeClock clock;
    std::vector<unsigned> armed;  // quiet timers asked for
    ClipboardLink link{settings, {socket, clipboard, writer, codec, clock}};

    LinkRig() {
        settings.clipboardLinkOn = 1;
        settings.linkRemoteHost = L"127.0.0.1";
        settings.linkAllowed1 = L"127.0.0.1";
        link.armQuietTimer = [this](unsigned ms) { armed.push_back(ms); };
    }
    void copy(const std::wstring& text) { clipboard.content = {true, true, text}; }
    void quietFor(unsigned ms) {
        clock.now += ms;
        link.quietTimerFired();
    }
    void peerConnects() {
        link.tick();
        socket.peerRequests(L"127.0.0.1");
        ASSERT_EQ(socket.current, SocketState::Connected);
    }
    std::wstring stateText() const { return link.view().stateText; }
    std::wstring eventText() const { return link.view().eventText; }
};

// The system's clipboard as the Windows reader sees it: change notices wait in the message queue
// until the messages are handled, and another program may hold the clipboard open.
class QueuedNoticeClipboard : public platform::CachedClipboard, public platform::ClipboardWriter {
public:
    std::wstring text;
    bool heldByAnother = false;
    int notices = 0;  // queued, not yet handled
    std::uint32_t sequence = 1, writes = 0;

    void handleMessages() {
        for (; notices > 0; --notices) changeNoticed();
    }
    void changedByAnother(const std::wstring& t) {
        text = t;
        ++sequence;
        ++notices;
    }
    bool writeText(const std::wstring& t) override {
        if (heldByAnother) return false;
        ++writes;
        changedByAnother(t);
        return true;
    }

private:
    bool watching() override { return true; }
    std::uint32_t sequenceNumber() override { return sequence; }
    std::uint32_t ownWrites() override { return writes; }
    platform::ClipboardRead readNow(size_t) override {
        if (heldByAnother) return {};
        return {true, true, text};
    }
};

}  // namespace

TEST(ClipboardLink, AcceptsOnlyPeersWhoseAddressTextIsAllowedExactly) {
    LinkRig rig;
    rig.settings.linkAllowed1 = L"127.0.0.1 ";
    rig.settings.linkAllowed2 = L" 127.0.0.1";
    rig.link.tick();
    EXPECT_EQ(rig.socket.port, 5580);
    EXPECT_EQ(rig.stateText(), L"接続要求を待っています");

    rig.socket.peerRequests(L"127.0.0.1");
    EXPECT_EQ(rig.socket.refused, 1);
    EXPECT_EQ(rig.eventText(), L"127.0.0.1からの接続がありましたが拒否しました。");
    EXPECT_EQ(rig.socket.current, SocketState::Closed);
    rig.socket.peerSends("ignored");  // a refused peer reaches nothing
    rig.quietFor(1000);
    EXPECT_TRUE(rig.writer.written.empty());
    rig.link.tick();
    EXPECT_EQ(rig.socket.current, SocketState::Listening);

    rig.settings.linkAllowed3 = L"127.0.0.1";
    rig.socket.peerRequests(L"127.0.0.1");
    EXPECT_EQ(rig.socket.current, SocketState::Connected);
    EXPECT_EQ(rig.eventText(), L"接続先IPアドレス  127.0.0.1");
}

TEST(ClipboardLink, SendsChangedTextOnceNeverEchoesAndSendsAgainAfterReconnecting) {
    LinkRig rig;
    rig.copy(L"");
    rig.peerConnects();
    rig.link.tick();
    EXPECT_TRUE(rig.socket.sent.empty());  // an empty text is no change from nothing shared

    rig.copy(L"クリップ");
    rig.link.tick();
    rig.link.tick();
    ASSERT_EQ(rig.socket.sent, std::vector<std::string>{rig.codec.toAnsi(L"クリップ")});
    EXPECT_EQ(rig.link.view().sharedText, L"クリップ");

    rig.socket.peerSends("from peer");
    rig.quietFor(150);
    EXPECT_EQ(rig.writer.written, std::vector<std::wstring>{L"from peer"});
    rig.link.tick();
    EXPECT_EQ(rig.socket.sent.size(), 1u);  // not sent back

    rig.socket.peerCloses();
    EXPECT_EQ(rig.socket.current, SocketState::Closed);
    EXPECT_EQ(rig.link.view().sharedText, L"");
    EXPECT_EQ(rig.eventText(), L"");
    rig.peerConnects();
    rig.link.tick();
    ASSERT_EQ(rig.socket.sent.size(), 2u);
    EXPECT_EQ(rig.socket.sent[1], "from peer");
}

TEST(ClipboardLink, RefusedTextIsTriedAgainAndTheOldLocalTextNeverAnswersIt) {
    LinkRig rig;
    rig.copy(L"old local");
    rig.peerConnects();
    rig.link.tick();
    ASSERT_EQ(rig.socket.sent.size(), 1u);

    // Refused on arrival and on the next tick; the tick after puts it on the clipboard.
    rig.writer.refusals = 2;
    rig.socket.peerSends("from peer");
    rig.quietFor(150);
    rig.link.tick();
    EXPECT_TRUE(rig.writer.written.empty());
    rig.link.tick();
    EXPECT_EQ(rig.writer.written, std::vector<std::wstring>{L"from peer"});
    rig.link.tick();
    EXPECT_EQ(rig.socket.sent.size(), 1u);

    // A clipboard that stays busy: given up after a bounded number of ticks and said so; the
    // text it still holds is not sent back, a text copied afterwards is.
    rig.writer.refusals = 1000;
    rig.socket.peerSends("second");
    rig.quietFor(150);
    rig.clipboard.content.opened = false;  // not even to be read meanwhile
    for (int tick = 0; tick < features::kLinkDeliveryTries + 3; ++tick) rig.link.tick();
    EXPECT_EQ(rig.writer.refusals, 1000 - 1 - features::kLinkDeliveryTries);
    EXPECT_EQ(rig.eventText(), L"受信したテキストをクリップボードに書き込めませんでした");
    rig.clipboard.content.opened = true;
    rig.link.tick();
    EXPECT_EQ(rig.socket.sent.size(), 1u);
    rig.copy(L"copied later");
    rig.link.tick();
    ASSERT_EQ(rig.socket.sent.size(), 2u);
    EXPECT_EQ(rig.socket.sent[1], "copied later");
}

TEST(ClipboardLink, AWriteAfterABusyClipboardIsReadBackBeforeItsNoticeArrives) {
    settings::Settings settings;
    settings.clipboardLinkOn = 1;
    settings.linkAllowed1 = L"127.0.0.1";
    fakes::FakeTcpSocket socket;
    QueuedNoticeClipboard clipboard;
    fakes::FakeAnsiCodec codec;
    fakes::FakeClock clock;
    ClipboardLink link{settings, {socket, clipboard, clipboard, codec, clock}};
    clipboard.changedByAnother(L"old local");
    clipboard.handleMessages();
    link.tick();
    socket.peerRequests(L"127.0.0.1");
    link.tick();
    ASSERT_EQ(socket.sent, std::vector<std::string>{"old local"});

    // Another program holds the clipboard while the peer's text arrives; a tick finds it busy.
    clipboard.heldByAnother = true;
    socket.peerSends("from peer");
    clock.now += 150;
    link.quietTimerFired();
    link.tick();
    clipboard.handleMessages();
    // Freed: the retried write and the read of the same tick, with the notice still queued.
    clipboard.heldByAnother = false;
    link.tick();
    clipboard.handleMessages();
    link.tick();
    link.tick();
    EXPECT_EQ(clipboard.text, L"from peer");
    EXPECT_EQ(socket.sent, std::vector<std::string>{"old local"})
        << "nothing after the peer's text";
}

TEST(ClipboardLink, SendsNothingWithoutPlainTextOrWhileAnotherTextIsInFlight) {
    LinkRig rig;
    rig.clipboard.content = {true, false, L""};  // an image only
    rig.peerConnects();
    rig.link.tick();
    EXPECT_TRUE(rig.socket.sent.empty());

    rig.copy(L"first");
    rig.link.tick();
    rig.socket.unsent = 10;  // the peer has not taken it all
    rig.copy(L"second");
    rig.link.tick();
    rig.socket.unsent = 0;
    rig.link.tick();  // out only since this tick: the texts would run together
    EXPECT_EQ(rig.socket.sent.size(), 1u);
    rig.link.tick();
    EXPECT_EQ(rig.socket.sent.back(), "second");

    // Nor while the peer's text is still arriving.
    rig.socket.peerSends("incoming");
    rig.copy(L"third");
    rig.link.tick();
    EXPECT_EQ(rig.socket.sent.size(), 2u);
}

TEST(ClipboardLink, ReconnectionTriesEveryFifthListeningTickAndErrorsListenAgain) {
    LinkRig rig;
    rig.settings.linkReconnect = 1;
    rig.settings.linkRemoteHost = L"peer.example";
    std::vector<int> attempts;
    for (int tick = 1; tick <= 11; ++tick) {
        int before = rig.socket.connects;
        rig.link.tick();
        if (rig.socket.connects > before) {
            attempts.push_back(tick);
            EXPECT_EQ(rig.socket.host, L"peer.example");
            rig.socket.fails(10061);
            EXPECT_EQ(rig.eventText(), L"10061    failed");
        }
        if (tick == 6) {
            EXPECT_EQ(rig.stateText(), L"エラー");
            EXPECT_EQ(rig.socket.current, SocketState::Closed);
        }
    }
    EXPECT_EQ(attempts, (std::vector<int>{5, 11}));

    rig.settings.linkReconnect = 0;
    for (int tick = 0; tick < 10; ++tick) rig.link.tick();
    EXPECT_EQ(rig.socket.connects, 2);
}

TEST(ClipboardLink, PiecesAreGatheredUntilTheConnectionIsQuiet) {
    LinkRig rig;
    rig.peerConnects();
    std::string text = rig.codec.toAnsi(L"日本語のテキスト");
    rig.socket.peerSends(text.substr(0, 4));  // ends inside a character
    rig.clock.now += 100;
    rig.socket.peerSends(text.substr(4));
    rig.quietFor(100);
    EXPECT_TRUE(rig.writer.written.empty());
    EXPECT_EQ(rig.armed.back(), 50u);  // waits out the rest of the quiet time
    rig.quietFor(50);
    EXPECT_EQ(rig.writer.written, std::vector<std::wstring>{L"日本語のテキスト"});
    rig.quietFor(1000);
    EXPECT_EQ(rig.writer.written.size(), 1u);

    // A peer that closes right after sending has finished its text.
    rig.socket.peerSends("last words");
    rig.socket.peerCloses();
    EXPECT_EQ(rig.writer.written.back(), L"last words");
}

TEST(ClipboardLink, TextsAreBoundedInBothDirections) {
    LinkRig rig;
    rig.peerConnects();
    std::string largest(features::kLinkMaxTextBytes, 'x');
    rig.socket.peerSends(largest.substr(0, 1000));
    rig.socket.peerSends(largest.substr(1000));
    rig.quietFor(150);
    ASSERT_EQ(rig.writer.written.size(), 1u);
    EXPECT_EQ(rig.writer.written[0].size(), features::kLinkMaxTextBytes);

    rig.link.tick();
    rig.socket.peerSends(largest);
    rig.socket.peerSends("y");
    EXPECT_EQ(rig.socket.current, SocketState::Closed);
    EXPECT_EQ(rig.eventText(), L"受信したテキストが 16MB を超えたため切断しました");
    rig.quietFor(150);
    EXPECT_EQ(rig.writer.written.size(), 1u);

    rig.peerConnects();
    rig.copy(std::wstring(features::kLinkMaxTextBytes + 1, L'z'));
    rig.link.tick();
    EXPECT_TRUE(rig.socket.sent.empty());
    EXPECT_EQ(rig.eventText(), L"クリップボードのテキストが 16MB を超えるため送信しません");
}

TEST(ClipboardLink, BadPortsAndListenFailuresShowAsErrorsUntilFixed) {
    for (const wchar_t* port : {L"abc", L"0", L"65536", L"", L"5 5"}) {
        LinkRig rig;
        rig.settings.linkPort = port;
        rig.link.tick();
        EXPECT_EQ(rig.socket.listens, 0) << port;
        EXPECT_EQ(rig.stateText(), L"エラー") << port;
        EXPECT_EQ(rig.eventText(), L"ポート番号は 1～65535 の数で指定してください");
        rig.link.connect();
        EXPECT_EQ(rig.socket.connects, 0) << port;
    }
    EXPECT_EQ(features::linkPort(L" 65535 "), 65535);

    LinkRig rig;
    rig.socket.listenFailure = {10048, L"in use"};
    rig.link.tick();
    EXPECT_EQ(rig.stateText(), L"エラー");
    EXPECT_EQ(rig.eventText(), L"10048    in use");
    EXPECT_EQ(rig.socket.current, SocketState::Closed);
    rig.socket.listenFailure = {};
    rig.link.tick();
    EXPECT_EQ(rig.stateText(), L"接続要求を待っています");
}

TEST(ClipboardLink, ConnectingOutTakesDataFromTheHostWhateverTheAllowedList) {
    LinkRig rig;
    rig.settings.linkAllowed1 = L"10.0.0.1";
    rig.settings.linkPort = L"6000";
    rig.link.tick();
    rig.link.connect();
    EXPECT_EQ(rig.socket.host, L"127.0.0.1");
    EXPECT_EQ(rig.socket.port, 6000);
    rig.socket.connectionMade(L"127.0.0.1");
    EXPECT_EQ(rig.eventText(), L"接続先IPアドレス  127.0.0.1");
    rig.socket.peerSends("hello");
    rig.quietFor(150);
    EXPECT_EQ(rig.writer.written, std::vector<std::wstring>{L"hello"});
}

TEST(ClipboardLink, SwitchingOffDisconnectsAndKeepsTheLinkIdle) {
    LinkRig rig;
    rig.peerConnects();
    rig.link.tick();
    rig.settings.clipboardLinkOn = 0;
    rig.link.enabledChanged();
    EXPECT_EQ(rig.socket.current, SocketState::Closed);
    EXPECT_EQ(rig.stateText(), L"");
    EXPECT_EQ(rig.eventText(), L"");
    rig.link.tick();
    rig.link.connect();
    EXPECT_EQ(rig.socket.current, SocketState::Closed);
    EXPECT_EQ(rig.socket.listens, 1);
}
