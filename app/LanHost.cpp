#include "app/LanHost.h"

#include "app/ChatPanel.h"
#include "app/GameTexts.h"
#include "app/PlayAgain.h"
#include "app/ReplayKeeper.h"
#include "app/StatusLine.h"
#include "app/WindowParts.h"
#include "game/Match.h"
#include "game/NetMessage.h"
#include "net/LocalAddress.h"
#include "net/UdpEndpoint.h"
#include "ui/LobbyWindow.h"

namespace vtx {

LanHost::LanHost(Match& match, IClock& clock, UdpEndpoint& endpoint, const WindowParts& parts,
                 StatusLine& status)
    : m_match(match), m_endpoint(endpoint), m_parts(parts), m_status(status), m_channel(match, *this, clock),
      m_chat(m_channel, *this), m_rematch(m_channel, match, *this), m_receiver(match, *this, m_channel) {
    linkTimer.setInterval(int(NetChannel::TickMs));
    QObject::connect(&linkTimer, &QTimer::timeout, [this] { linkTicked(); });
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
    const QByteArray bytes = m_endpoint.readDatagram();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    m_receiver.datagramReceived(std::span(data, std::size_t(bytes.size())), fromIP.toStdString());
    runLinkTimer();
}

void LanHost::leaveOnClose() {
    const MatchState& s = m_match.state();
    if (s.netMode && s.netConnected && !s.gameLost && !s.gameWon) {
        m_channel.sendLeave();
        m_channel.flushNow();
    }
    if (m_rematch.possible()) {
        m_rematch.decline();
        m_channel.flushNow();
    }
    linkTimer.stop();
    // Nobody sees a drop in the game; whoever debugs a link reads it here.
    const NetDrops drops = m_receiver.drops();
    if (drops.total() > 0) qInfo("LAN datagrams dropped: %s", drops.summary().c_str());
}

void LanHost::sendShot(std::int32_t row, std::int32_t column) {
    m_channel.sendShot(row, column);
    runLinkTimer();
}
void LanHost::sendLeave() {
    m_channel.sendLeave();
    runLinkTimer();
}
void LanHost::sendFleet() {
    m_channel.sendFleet();
    runLinkTimer();
}

std::optional<std::string> LanHost::sendChat(const std::string& name, const std::string& typed) {
    auto sent = m_chat.send(name, typed);
    runLinkTimer();
    return sent;
}
void LanHost::wantRematch() {
    m_rematch.want();
    runLinkTimer();
}
void LanHost::declineRematch() {
    m_rematch.decline();
    runLinkTimer();
}

void LanHost::linkTicked() {
    m_channel.tick();
    m_status.refresh();
    if (!m_channel.needsTicks()) linkTimer.stop();
}

void LanHost::runLinkTimer() {
    if (m_channel.needsTicks() && !linkTimer.isActive()) linkTimer.start();
}

// ------------------------------------------------------------- ILobbyHost

std::filesystem::path LanHost::startDir() const {
    return m_parts.startDir;
}
QString LanHost::playerName() const {
    return m_parts.playerName();
}
void LanHost::setNetMode(bool on) {
    m_match.setNetMode(on);
}
void LanHost::setNetConnected(bool on) {
    m_match.setNetConnected(on);
}
void LanHost::setNetRole(NetRole role) {
    m_match.setNetRole(role);
}
void LanHost::setOpponentIp(const QString& ip) {
    m_match.setOpponentIp(ip.toStdString());
}

void LanHost::sendRequest(const QString& host, const QByteArray& text) {
    if (host.isEmpty()) return;
    m_endpoint.reportLevel = 2;
    m_endpoint.remoteHost = host;
    m_endpoint.remotePort = net::GamePort;
    m_endpoint.sendDatagram(text);
}

void LanHost::joinGame(const QString& creatorIP, bool extended) {
    // The lobby forgets its lines when it closes; the name is kept for the replay.
    m_joinedAddress = creatorIP.toStdString();
    m_joinedName.clear();
    if (m_parts.lobby)
        for (const LobbyModel::Server& server : m_parts.lobby->controller().model().servers())
            if (server.address == m_joinedAddress) m_joinedName = server.name;
    m_channel.join(creatorIP.toStdString(), extended);
    runLinkTimer();
}
// The lobby starts matches while the Single button is off: past the button's check.
void LanHost::startMatch() {
    m_match.singleClicked();
}
void LanHost::setStatus(const QString& text) {
    m_status.setMatchText(text);
}
void LanHost::switchSingleButton(bool on) {
    m_match.setMenuButton(MenuButton::Single, on, on);
}

// ------------------------------------------------------- INetReceiverHost

std::string LanHost::opponentName() const {
    const std::string& address = m_match.state().opponentIp;
    if (!m_joinedName.empty() && address == m_joinedAddress) return m_joinedName;
    if (!m_chatName.empty() && address == m_chatAddress) return m_chatName;
    if (m_parts.lobby)
        for (const LobbyModel::Computer& computer : m_parts.lobby->controller().model().computers())
            if (computer.address == address && !computer.name.empty()) return computer.name;
    return address;
}

void LanHost::joinRequested() {
    runLinkTimer();
    // Cancel while the match starts would leave the opponent waiting.
    if (m_parts.lobby) m_parts.lobby->matchStarting();
    m_match.singleClicked();
    if (m_parts.lobby) m_parts.lobby->close();
}
bool LanHost::serverListed(std::string_view fromIP) {
    return m_parts.lobby &&
           m_parts.lobby->controller().hasServer(QString::fromUtf8(fromIP.data(), qsizetype(fromIP.size())));
}
void LanHost::addServer(std::string_view fromIP, std::string_view presenceText) {
    if (m_parts.lobby)
        m_parts.lobby->controller().addServer(
            QString::fromUtf8(fromIP.data(), qsizetype(fromIP.size())),
            QByteArray(presenceText.data(), qsizetype(presenceText.size())));
}
void LanHost::presenceAsked(std::string_view fromIP) {
    if (m_parts.lobby)
        m_parts.lobby->controller().presenceAsked(
            QString::fromLatin1(fromIP.data(), qsizetype(fromIP.size())));
}
// Told from inside the receiver or the link's tick: shown over the windows
// without waiting, so no datagram runs inside the one being handled.
void LanHost::opponentLeft() {
    if (m_parts.keeper) m_parts.keeper->opponentLeft();
    m_parts.showMessageThen(60, gameText(net::OpponentLeftText), {});
}
void LanHost::opponentGone() {
    if (m_parts.keeper) m_parts.keeper->opponentSilent();
    m_parts.showMessageThen(60, gameText(net::OpponentGoneText), {});
}

void LanHost::chatReceived(std::string_view name, std::string_view text) {
    if (!name.empty()) {
        m_chatName = std::string(name);
        m_chatAddress = m_match.state().opponentIp;
    }
    if (m_parts.chat)
        m_parts.chat->lineReceived(QString::fromUtf8(name.data(), qsizetype(name.size())),
                                   QString::fromUtf8(text.data(), qsizetype(text.size())));
}
void LanHost::rematchChanged() {
    if (m_parts.playAgain) m_parts.playAgain->rematchChanged();
}
void LanHost::rematchDeclined() {
    if (m_parts.playAgain) m_parts.playAgain->rematchDeclined();
}

// The match sends from the middle of its rules: a send the endpoint refuses
// is told to the player without a modal wait (the message has its Ok button),
// and the rules run on whole.
void LanHost::sendDatagram(std::string_view host, std::span<const unsigned char> bytes) {
    try {
        sendRequest(QString::fromLatin1(host.data(), qsizetype(host.size())),
                    QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    } catch (const UdpSocketError& error) {
        m_parts.showNotice(60, QString::fromUtf8(error.what()));
    }
}

} // namespace vtx
