#pragma once

// LAN play as the real program runs it: the match's line to the opponent
// (the NetChannel and the NetReceiver over the window's UDP endpoint NMUDP1),
// the timer that runs the link's retries and heartbeats, this computer's
// addresses, and what the lobby and the receiver ask of the main window
// (ILobbyHost, INetReceiverHost). The other LAN rooms: game/Net* (protocol
// and link, headless), net/ (the socket, addresses, the network scan),
// ui/TformNet (the lobby window).
//
// Ownership: owns the channel, the receiver and the link timer; refers to the
// match, the clock, the endpoint and the window's parts (all owned by TForm1).
// UI thread only.

#include "game/NetChannel.h"
#include "game/NetReceiver.h"
#include "ui/ILobbyHost.h"

#include <QTimer>

#include <cstdint>

namespace vtx {

class IClock;
class Match;
class StatusLine;
class TNMUDP;
struct FormParts;

class LanHost final : public ILobbyHost, public INetReceiverHost {
public:
    LanHost(Match& match, IClock& clock, TNMUDP& endpoint, const FormParts& parts, StatusLine& status);

    NetChannel& channel() { return m_channel; }
    const NetChannel& channel() const { return m_channel; }
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

    // The match's messages: plain datagrams or the extended protocol's
    // frames, as the channel settled at the join.
    void SendShot(std::int32_t row, std::int32_t column);
    void SendLeave();
    void SendFleet();

    // ------------------------------------------------------ ILobbyHost
    std::filesystem::path StartDir() const override;
    QString LocalIP() const override { return m_localIP; }
    QString PlayerName() const override;
    void SetNetMode(bool on) override;
    void SetNetConnected(bool on) override;
    void SetNetRole(int role) override;
    void SetOpponentIP(const QString& ip) override;
    void SendRequest(const QString& host, const QByteArray& text) override;
    void JoinGame(const QString& creatorIP, bool extended) override;
    void StartMatch() override;
    void SetStatus(const QString& text) override;
    void SwitchSingleButton(bool on) override;

    // ------------------------------------------------ INetReceiverHost
    void JoinRequested() override;
    bool ServerListed(std::string_view fromIP) override;
    void AddServer(std::string_view fromIP, std::string_view presenceText) override;
    void PresenceAsked(std::string_view fromIP) override;
    void OpponentLeft() override;
    void OpponentGone() override;
    void SendDatagram(std::string_view host, std::span<const unsigned char> bytes) override;

private:
    void linkTimerTimer();
    // The channel's timers run from the event loop only: a tick may report a
    // vanished opponent modally, which must not happen inside a rule's handler.
    void runLinkTimer();

    Match& m_match;
    TNMUDP& m_endpoint;
    const FormParts& m_parts;
    StatusLine& m_status;
    NetChannel m_channel;
    NetReceiver m_receiver;
    QString m_localIP = QStringLiteral("127.0.0.1");
};

} // namespace vtx
