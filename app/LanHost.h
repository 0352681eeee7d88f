#pragma once

// LAN play as the real program runs it: the match's line to the opponent
// (the NetChannel with the chat and another match riding on it, and the
// NetReceiver, over the window's UDP endpoint udp), the timer that runs the
// link's retries and heartbeats, this computer's addresses, and what the
// lobby and the receiver ask of the main window (ILobbyHost,
// INetReceiverHost). The other LAN rooms: game/Net* (protocol, link, chat
// and another match, headless), net/ (the socket, addresses, the lobby's
// work and the network scan), ui/LobbyWindow (the lobby window),
// app/ChatPanel and app/PlayAgain (what the player sees of the chat and of
// another match).
//
// Ownership: owns the channel, its parts, the receiver and the link timer;
// refers to the match, the clock, the endpoint and the window's parts (all
// owned by MainWindow). UI thread only.

#include "game/NetChannel.h"
#include "game/NetChat.h"
#include "game/NetReceiver.h"
#include "game/NetRematch.h"
#include "net/ILobbyHost.h"

#include <QTimer>

#include <cstdint>
#include <string>

namespace vtx {

class IClock;
class Match;
class StatusLine;
class UdpEndpoint;
struct WindowParts;

class LanHost final : public ILobbyHost, public INetReceiverHost {
public:
    LanHost(Match& match, IClock& clock, UdpEndpoint& endpoint, const WindowParts& parts, StatusLine& status);

    NetChannel& channel() { return m_channel; }
    const NetChannel& channel() const { return m_channel; }
    const NetChat& chat() const { return m_chat; }
    const NetRematch& rematch() const { return m_rematch; }
    // The extended protocol's retries, heartbeats and time-outs; runs only
    // while the channel needs it.
    QTimer linkTimer;

    // This computer's addresses, read again: a network joined since the
    // start (Wi-Fi after log-in) counts, and the new address must not make
    // this side hear itself as a creator.
    void readLocalAddresses();
    // The endpoint's datagram that just arrived from fromIP, to the receiver.
    void datagramArrived(const QString& fromIP);
    // The window closes in the middle of a network match: the opponent hears
    // it as Exit, and whatever the link still owes goes out once more now
    // (no retries will follow).
    void leaveOnClose();
    // The opponent's name as this side knows it: the creator's as its lobby
    // line showed it at Join, else the one its chat lines carry, else the
    // name of the computer with the opponent's address in the lobby's list,
    // else that address.
    std::string opponentName() const;

    // The match's messages: plain datagrams or the extended protocol's
    // frames, as the channel settled at the join.
    void sendShot(std::int32_t row, std::int32_t column);
    void sendLeave();
    void sendFleet();
    // Chat and another match, with the link's timer running.
    std::optional<std::string> sendChat(const std::string& name, const std::string& typed);
    void wantRematch();
    void declineRematch();

    // ------------------------------------------------------ ILobbyHost
    std::filesystem::path startDir() const override;
    QString localIp() const override { return m_localIP; }
    QString playerName() const override;
    void setNetMode(bool on) override;
    void setNetConnected(bool on) override;
    void setNetRole(NetRole role) override;
    void setOpponentIp(const QString& ip) override;
    void sendRequest(const QString& host, const QByteArray& text) override;
    void joinGame(const QString& creatorIP, bool extended) override;
    void startMatch() override;
    void setStatus(const QString& text) override;
    void switchSingleButton(bool on) override;

    // ------------------------------------------------ INetReceiverHost
    void joinRequested() override;
    bool serverListed(std::string_view fromIP) override;
    void addServer(std::string_view fromIP, std::string_view presenceText) override;
    void presenceAsked(std::string_view fromIP) override;
    void opponentLeft() override;
    void opponentGone() override;
    void chatReceived(std::string_view name, std::string_view text) override;
    void rematchChanged() override;
    void rematchDeclined() override;
    void sendDatagram(std::string_view host, std::span<const unsigned char> bytes) override;

private:
    void linkTicked();
    // The channel's timers run from the event loop only: a tick may report a
    // vanished opponent modally, which must not happen inside a rule's handler.
    void runLinkTimer();

    Match& m_match;
    UdpEndpoint& m_endpoint;
    const WindowParts& m_parts;
    StatusLine& m_status;
    NetChannel m_channel;
    NetChat m_chat;
    NetRematch m_rematch;
    NetReceiver m_receiver;
    QString m_localIP = QStringLiteral("127.0.0.1");
    // The creator's name and address as its lobby line showed them at Join.
    std::string m_joinedName;
    std::string m_joinedAddress;
    // The name the opponent's chat lines carried, and its address then.
    std::string m_chatName;
    std::string m_chatAddress;
};

} // namespace vtx
