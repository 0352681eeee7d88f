#include "app/LanHost.h"

#include "app/FormParts.h"
#include "app/GameTexts.h"
#include "app/StatusLine.h"
#include "game/Match.h"
#include "game/NetMessage.h"
#include "net/LocalAddress.h"
#include "net/TNMUDP.h"
#include "ui/TformNet.h"

namespace vtx {

LanHost::LanHost(Match& match, IClock& clock, TNMUDP& endpoint, const FormParts& parts, StatusLine& status)
    : m_match(match), m_endpoint(endpoint), m_parts(parts), m_status(status), m_channel(match, *this, clock),
      m_receiver(match, *this, m_channel) {
    linkTimer.setInterval(int(NetChannel::TickMs));
    QObject::connect(&linkTimer, &QTimer::timeout, [this] { linkTimerTimer(); });
    m_status.linkText = [this] { return m_channel.statusText(); };
}

void LanHost::readLocalAddresses() {
    m_localIP = findLocalIP();
    std::vector<std::string> own;
    for (const QString& address : localIPv4Addresses())
        own.push_back(address.toStdString());
    own.push_back(m_localIP.toStdString());
    m_receiver.setLocalAddresses(std::move(own));
}

void LanHost::datagramArrived(const QString& fromIP) {
    const QByteArray bytes = m_endpoint.ReadDatagram();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    m_receiver.NMUDP1DataReceived(std::span(data, std::size_t(bytes.size())), fromIP.toStdString());
    runLinkTimer();
}

void LanHost::leaveOnClose() {
    const MatchState& s = m_match.state();
    if (s.NetMode && s.NetConnected && !s.GameLost && !s.GameWon) {
        m_channel.SendLeave();
        m_channel.flushNow();
    }
    linkTimer.stop();
}

void LanHost::SendShot(std::int32_t row, std::int32_t column) {
    m_channel.SendShot(row, column);
    runLinkTimer();
}
void LanHost::SendLeave() {
    m_channel.SendLeave();
    runLinkTimer();
}
void LanHost::SendFleet() {
    m_channel.SendFleet();
    runLinkTimer();
}

void LanHost::linkTimerTimer() {
    m_channel.tick();
    m_status.refresh();
    if (!m_channel.needsTicks()) linkTimer.stop();
}

void LanHost::runLinkTimer() {
    if (m_channel.needsTicks() && !linkTimer.isActive()) linkTimer.start();
}

// ------------------------------------------------------------- ILobbyHost

std::filesystem::path LanHost::StartDir() const {
    return m_parts.startDir;
}
QString LanHost::PlayerName() const {
    return m_parts.playerName();
}
void LanHost::SetNetMode(bool on) {
    m_match.SetNetMode(on);
}
void LanHost::SetNetConnected(bool on) {
    m_match.SetNetConnected(on);
}
void LanHost::SetNetRole(int role) {
    m_match.SetNetRole(role);
}
void LanHost::SetOpponentIP(const QString& ip) {
    m_match.SetOpponentIP(ip.toStdString());
}

void LanHost::SendRequest(const QString& host, const QByteArray& text) {
    if (host.isEmpty()) return;
    m_endpoint.ReportLevel = 2;
    m_endpoint.RemoteHost = host;
    m_endpoint.RemotePort = net::GamePort;
    m_endpoint.SendDatagram(text);
}

void LanHost::JoinGame(const QString& creatorIP, bool extended) {
    m_channel.join(creatorIP.toStdString(), extended);
    runLinkTimer();
}
// The lobby starts matches while the Single button is off: past the button's check.
void LanHost::StartMatch() {
    m_match.elbtSingleGameClick();
}
void LanHost::SetStatus(const QString& text) {
    m_status.setMatchText(text);
}
void LanHost::SwitchSingleButton(bool on) {
    m_match.SetMenuButton(MenuButton::Single, on, on);
}

// ------------------------------------------------------- INetReceiverHost

void LanHost::JoinRequested() {
    runLinkTimer();
    // Cancel while the match starts would leave the opponent waiting.
    if (m_parts.lobby) m_parts.lobby->MatchStarting();
    m_match.elbtSingleGameClick();
    if (m_parts.lobby) m_parts.lobby->close();
}
bool LanHost::ServerListed(std::string_view fromIP) {
    return m_parts.lobby &&
           m_parts.lobby->HasServer(QString::fromUtf8(fromIP.data(), qsizetype(fromIP.size())));
}
void LanHost::AddServer(std::string_view fromIP, std::string_view presenceText) {
    if (m_parts.lobby)
        m_parts.lobby->AddServer(QString::fromUtf8(fromIP.data(), qsizetype(fromIP.size())),
                                 QByteArray(presenceText.data(), qsizetype(presenceText.size())));
}
void LanHost::PresenceAsked(std::string_view fromIP) {
    if (m_parts.lobby)
        m_parts.lobby->PresenceAsked(QString::fromLatin1(fromIP.data(), qsizetype(fromIP.size())));
}
// Told from inside the receiver or the link's tick: shown over the windows
// without waiting, so no datagram runs inside the one being handled.
void LanHost::OpponentLeft() {
    m_parts.showMessageThen(60, gameText(net::OpponentLeftText), {});
}
void LanHost::OpponentGone() {
    m_parts.showMessageThen(60, gameText(net::OpponentGoneText), {});
}

// The match sends from the middle of its rules: a send the endpoint refuses
// is told to the player without a modal wait (the message has its Ok button),
// and the rules run on whole.
void LanHost::SendDatagram(std::string_view host, std::span<const unsigned char> bytes) {
    try {
        SendRequest(QString::fromLatin1(host.data(), qsizetype(host.size())),
                    QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    } catch (const UDPSockError& error) {
        m_parts.showNotice(60, QString::fromUtf8(error.what()));
    }
}

} // namespace vtx
