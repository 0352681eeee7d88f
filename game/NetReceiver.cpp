#include "game/NetReceiver.h"

#include "game/NetExtension.h"
#include "game/NetMessage.h"

#include <algorithm>

namespace vtx {

NetReceiver::NetReceiver(Match& match, INetReceiverHost& host, NetChannel& channel)
    : m_match(match), m_host(host), m_channel(channel) {}

void NetReceiver::setLocalAddresses(std::vector<std::string> addresses) {
    m_local = std::move(addresses);
}

bool NetReceiver::fromOpponent(std::string_view fromIP) const {
    const MatchState& s = m_match.state();
    return s.netConnected && !s.opponentIp.empty() && fromIP == s.opponentIp;
}

bool NetReceiver::takeBlock(std::span<const unsigned char> bytes) {
    const bool wantFleet = m_match.state().expectInfo;
    const bool wantField = m_match.state().expectField;
    m_match.blocksTaken();
    const std::size_t expected = (wantFleet ? FleetBlockBytes : 0) + (wantField ? FieldBlockBytes : 0);
    if (bytes.size() != expected) {
        m_fleetPending = false;
        m_drops.count(DropReason::BadFleet);
        return false;
    }
    if (wantFleet) {
        const auto fleetBytes = bytes.first<FleetBlockBytes>();
        if (!net::fleetProblem(decodeFleet(fleetBytes)).empty()) {
            m_fleetPending = false;
            m_drops.count(DropReason::BadFleet);
            return true;
        }
        std::copy(fleetBytes.begin(), fleetBytes.end(), m_pendingFleet.begin());
        m_fleetPending = true;
        bytes = bytes.subspan(FleetBlockBytes);
    }
    if (!wantField) return true;
    const auto fieldBytes = bytes.first<FieldBlockBytes>();
    if (!m_fleetPending || !net::fieldProblem(decodeField(fieldBytes), decodeFleet(m_pendingFleet)).empty()) {
        m_fleetPending = false;
        m_drops.count(DropReason::BadFleet);
        return true;
    }
    m_fleetPending = false;
    m_match.receiveFleetBlock(m_pendingFleet);
    m_match.receiveFieldBlock(fieldBytes);
    return true;
}

void NetReceiver::joinRequest(std::string_view text, std::string_view fromIP) {
    const MatchState& s = m_match.state();
    // A third computer must not take over a running match and strand the
    // opponent; once the match has ended, anybody may join again.
    const bool matchRunning = s.netConnected && !s.gameWon && !s.gameLost;
    if (matchRunning && fromIP != s.opponentIp) {
        m_drops.count(DropReason::Stranger);
        return;
    }
    if (!m_channel.acceptJoin(fromIP, net::joinSession(text))) return;
    m_match.opponentJoined(fromIP);
    m_host.joinRequested();
}

void NetReceiver::datagramReceived(std::span<const unsigned char> bytes, std::string_view fromIP) {
    const MatchState& s = m_match.state();
    // This side hears its own broadcasts. Frames are the channel's, even
    // outside network mode: it keeps answering a finished match's last ones.
    if (std::find(m_local.begin(), m_local.end(), fromIP) != m_local.end()) return;
    if (net::looksLikeFrame(bytes)) {
        m_channel.receiveFrame(bytes, fromIP);
        return;
    }
    if (!s.netMode) return;
    // An announced block is never text: none of the markers can follow. A
    // datagram of another size is no block; it may still be the next
    // announcement after a lost block, so it is read as text as well.
    const bool extendedMatch = m_channel.extended() && s.netConnected;
    if ((s.expectInfo || s.expectField) && !extendedMatch && fromOpponent(fromIP) && takeBlock(bytes)) return;
    // Our own copy of the text, independent of the endpoint's buffer.
    const std::string text(bytes.begin(), bytes.end());
    const auto has = [&text](std::string_view marker) { return text.find(marker) != std::string::npos; };
    if (text == net::PresenceQuery) {
        m_host.presenceAsked(fromIP);
        return;
    }
    if (s.netMode && s.netRole == NetRole::Creator && has(net::JoinedMarker)) joinRequest(text, fromIP);
    // Asked before the match messages, added after them: a presence is
    // listed only once the rest of the datagram has been read.
    bool newServer = false;
    if (has(net::PresentMarker)) newServer = !m_host.serverListed(fromIP);
    // A match message counts only from the opponent of a plain match.
    const auto trusted = [&](std::string_view marker) {
        if (!has(marker)) return false;
        if (extendedMatch || !fromOpponent(fromIP)) {
            m_drops.count(extendedMatch ? DropReason::PlainInExtended : DropReason::Untrusted);
            return false;
        }
        return true;
    };
    if (trusted(net::InfoMarker)) {
        m_match.expectFleetBlock();
        m_fleetPending = false;
    }
    if (trusted(net::ExitMarker)) m_host.opponentLeft();
    if (trusted(net::MoveMarker)) {
        const auto move = net::parseMove(text);
        if (const auto cell = move ? BoardCell::at(OwnBoard, move->row, move->column) : std::nullopt)
            m_match.receiveMove(*cell);
        else
            m_drops.count(DropReason::Malformed);
    }
    if (trusted(net::FieldMarker)) m_match.expectFieldBlock();
    // The lobby's list is only for a side still in network mode.
    if (newServer && s.netMode) m_host.addServer(fromIP, text);
}

NetDrops NetReceiver::drops() const {
    NetDrops all = m_drops;
    all += m_channel.drops();
    return all;
}

} // namespace vtx
