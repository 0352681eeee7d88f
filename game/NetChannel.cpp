#include "game/NetChannel.h"

#include "game/FleetBlock.h"
#include "game/NetMessage.h"

#include <algorithm>
#include <random>

namespace vtx {

namespace {

std::uint64_t systemSeed() {
    std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device();
}

} // namespace

NetChannel::NetChannel(Match& match, INetReceiverHost& host, IClock& clock, std::uint64_t seed,
                       LinkTimings timings)
    : m_match(match), m_host(host), m_clock(clock),
      m_link([this](const std::vector<unsigned char>& bytes) { sendFrameBytes(bytes); }, timings),
      m_sessionNumbers(seed ? seed : systemSeed()), m_timings(timings) {}

std::uint32_t NetChannel::newSession() {
    for (;;)
        if (const auto session = std::uint32_t(m_sessionNumbers.next())) return session;
}

void NetChannel::sendText(std::string_view to, std::string_view text) {
    m_host.sendDatagram(to, {reinterpret_cast<const unsigned char*>(text.data()), text.size()});
}

void NetChannel::sendFrameBytes(const std::vector<unsigned char>& bytes) {
    m_host.sendDatagram(m_peer, bytes);
}

void NetChannel::attach(INetChannelPart& part) {
    m_parts.push_back(&part);
}

void NetChannel::endSession() {
    const SessionPhase endedIn = m_phase;
    m_link.close();
    m_phase = SessionPhase::Idle;
    m_moves.clear();
    m_fleetTaken = false;
    for (INetChannelPart* part : m_parts)
        part->sessionEnded(endedIn);
}

void NetChannel::open(std::uint32_t session) {
    m_link.open(session, now());
    for (INetChannelPart* part : m_parts)
        part->sessionStarted();
}

// ------------------------------------------------------------------- the join

void NetChannel::join(std::string_view creatorIP, bool extended) {
    endSession();
    m_peer = std::string(creatorIP);
    m_extended = extended && m_offerExtension;
    m_peerLeft = false;
    if (!m_extended) {
        sendText(m_peer, net::JoinRequest);
        return;
    }
    const std::uint32_t session = newSession();
    open(session);
    m_phase = SessionPhase::Joining;
    sendText(m_peer, net::taggedJoin(session));
    m_joinRetryMs = m_timings.firstRetryMs;
    m_nextJoinMs = now() + m_joinRetryMs;
}

bool NetChannel::acceptJoin(std::string_view fromIP, std::optional<std::uint32_t> session) {
    if (!m_offerExtension) session.reset();
    if (session && m_phase != SessionPhase::Idle && fromIP == m_peer && m_link.session() == *session) {
        // The joiner has not heard us yet: answer again.
        m_link.acknowledgeNow(now());
        return false;
    }
    endSession();
    m_peer = std::string(fromIP);
    m_extended = session.has_value();
    m_peerLeft = false;
    if (!session) return true;
    open(*session);
    m_link.setHeartbeats(true);
    m_phase = SessionPhase::Open;
    // The joiner stops repeating its request at the first frame it hears.
    m_link.acknowledgeNow(now());
    return true;
}

// ------------------------------------------------------- the match's messages

void NetChannel::sendShot(std::int32_t row, std::int32_t column) {
    if (!m_extended) {
        sendText(m_match.state().opponentIp, net::moveMessage(row, column));
        return;
    }
    m_link.send(net::FrameKind::Move, {static_cast<unsigned char>(row), static_cast<unsigned char>(column)},
                now());
}

void NetChannel::sendLeave() {
    if (!m_extended) {
        sendText(m_match.state().opponentIp, net::ExitMarker);
        return;
    }
    m_link.send(net::FrameKind::Leave, {}, now());
    if (m_phase == SessionPhase::Joining || m_phase == SessionPhase::Open || m_phase == SessionPhase::Between)
        linger();
}

// The blocks travel as datagrams of their raw bytes, like a text.
void NetChannel::sendInfo(std::string_view host) {
    m_host.sendDatagram(host, encodeFleet(m_match.state().ownFleet));
}

void NetChannel::sendField(std::string_view host) {
    m_host.sendDatagram(host, encodeField(m_match.state().ownField));
}

void NetChannel::sendFleet() {
    const MatchState& s = m_match.state();
    if (!m_extended) {
        const std::string& to = s.opponentIp;
        sendText(to, net::InfoMarker);
        sendInfo(to);
        sendText(to, net::FieldMarker);
        sendField(to);
        return;
    }
    const FleetBlock fleet = encodeFleet(s.ownFleet);
    const FieldBlock field = encodeField(s.ownField);
    std::vector<unsigned char> payload(fleet.begin(), fleet.end());
    payload.insert(payload.end(), field.begin(), field.end());
    m_link.send(net::FrameKind::Fleet, std::move(payload), now());
}

void NetChannel::flushNow() {
    m_link.flush(now());
}

// ------------------------------------------------------------------ frames in

void NetChannel::receiveFrame(std::span<const unsigned char> bytes, std::string_view fromIP) {
    const auto frame = net::decodeFrame(bytes);
    if (!frame) {
        m_drops.count(DropReason::Malformed);
        return;
    }
    if (m_phase == SessionPhase::Idle || fromIP != m_peer || frame->session != m_link.session()) {
        m_drops.count(DropReason::Stranger);
        return;
    }
    const std::vector<net::Frame> ready = m_link.receive(*frame, now());
    if (m_phase == SessionPhase::Joining && m_link.heard()) {
        m_phase = SessionPhase::Open;
        m_link.setHeartbeats(true);
    }
    for (const net::Frame& message : ready)
        deliver(message);
    pumpMoves();
}

void NetChannel::deliver(const net::Frame& message) {
    const MatchState& s = m_match.state();
    switch (message.kind) {
    case net::FrameKind::Fleet: {
        const std::span<const unsigned char> payload(message.payload);
        const auto fleetBytes = payload.first<FleetBlockBytes>();
        const auto fieldBytes = payload.subspan<FleetBlockBytes, FieldBlockBytes>();
        const Fleet fleet = decodeFleet(fleetBytes);
        if (m_fleetTaken || !s.netMode) {
            m_drops.count(m_fleetTaken ? DropReason::FleetAgain : DropReason::Stranger);
            return;
        }
        if (!net::fleetProblem(fleet).empty() || !net::fieldProblem(decodeField(fieldBytes), fleet).empty()) {
            m_drops.count(DropReason::BadFleet);
            return;
        }
        m_fleetTaken = true;
        m_match.receiveFleetBlock(fleetBytes);
        m_match.receiveFieldBlock(fieldBytes);
        return;
    }
    case net::FrameKind::Move: {
        const auto cell = BoardCell::at(OwnBoard, message.payload[0], message.payload[1]);
        if (!cell) {
            m_drops.count(DropReason::OffGrid);
            return;
        }
        m_moves.push_back(*cell);
        return;
    }
    case net::FrameKind::Leave:
        m_peerLeft = true;
        m_link.setHeartbeats(false);
        m_moves.clear();
        if (s.netMode && s.netConnected) m_host.opponentLeft();
        for (INetChannelPart* part : m_parts)
            part->peerLeft();
        return;
    case net::FrameKind::Chat:
    case net::FrameKind::Rematch:
    case net::FrameKind::NextMatch:
        for (INetChannelPart* part : m_parts)
            if (part->takes(message.kind)) {
                part->messageArrived(message);
                return;
            }
        // No part here speaks it: nothing of this side's belongs to it.
        m_drops.count(DropReason::Stranger);
        return;
    case net::FrameKind::Ack:
        return;
    }
}

// ------------------------------------------------ for the parts riding on it

void NetChannel::send(net::FrameKind kind, std::vector<unsigned char> payload) {
    m_link.send(kind, std::move(payload), now());
}

void NetChannel::followMatch() {
    if (m_phase != SessionPhase::Joining && m_phase != SessionPhase::Open) return;
    const MatchState& s = m_match.state();
    if (s.netMode && s.netConnected) return;
    m_moves.clear();
    // Only a match played to its end is followed by another; a leave is final.
    if (m_phase == SessionPhase::Open && m_extended && !m_peerLeft && (s.gameWon || s.gameLost)) {
        m_phase = SessionPhase::Between;
        for (INetChannelPart* part : m_parts)
            part->matchEnded();
        return;
    }
    linger();
}

void NetChannel::beginNextMatch() {
    m_phase = SessionPhase::Open;
    m_fleetTaken = false;
    m_moves.clear();
    m_link.setHeartbeats(true);
}

void NetChannel::linger() {
    m_phase = SessionPhase::Closing;
    m_link.setHeartbeats(false);
}

void NetChannel::pumpMoves() {
    const MatchState& s = m_match.state();
    while (!m_moves.empty() && s.netMode && s.netConnected && !s.netMovePending) {
        // Before the battle here a shot waits; in it, the turn is known
        // (both sides resolve every shot alike), so one on this side's turn
        // is a lie that would take the turn away.
        if (!s.fightStarted) return;
        const BoardCell move = m_moves.front();
        m_moves.pop_front();
        if (s.playerTurn == 1)
            m_drops.count(DropReason::OutOfTurn);
        else
            m_match.receiveMove(move);
    }
}

NetDrops NetChannel::drops() const {
    NetDrops all = m_drops;
    all += m_link.drops();
    for (const INetChannelPart* part : m_parts)
        all += part->drops();
    return all;
}

// --------------------------------------------------------------------- timers

void NetChannel::tick() {
    if (m_phase == SessionPhase::Idle) return;
    const std::int64_t t = now();
    // The match is over here; what is still unacknowledged goes on.
    followMatch();
    if (m_link.silenceMs(t) >= SilenceLimitMs) {
        const bool report = m_phase != SessionPhase::Closing && !m_peerLeft;
        endSession();
        if (report) m_host.opponentGone();
        return;
    }
    if (m_phase == SessionPhase::Joining && t >= m_nextJoinMs) {
        sendText(m_peer, net::taggedJoin(m_link.session()));
        m_joinRetryMs = std::min(m_joinRetryMs * 2, m_timings.maxRetryMs);
        m_nextJoinMs = t + m_joinRetryMs;
    }
    m_link.tick(t);
    pumpMoves();
}

std::optional<std::string_view> NetChannel::statusText() {
    const MatchState& s = m_match.state();
    if (!s.netConnected || m_peerLeft) return std::nullopt;
    if (m_phase == SessionPhase::Joining) return net::JoiningText;
    if (m_phase != SessionPhase::Open) return std::nullopt;
    const std::int64_t t = now();
    if (!s.fightStarted) {
        if (s.fleetSent && !s.fleetReceived) return net::WaitingForFleetText;
        return std::nullopt;
    }
    if (m_link.oldestUnacknowledgedMs(t) > UnacknowledgedMs || m_link.silenceMs(t) > QuietMs)
        return net::WaitingForComputerText;
    return std::nullopt;
}

} // namespace vtx
