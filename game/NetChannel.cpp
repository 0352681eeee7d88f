#include "game/NetChannel.h"

#include "game/FleetBlock.h"
#include "game/NetMessage.h"

#include <algorithm>
#include <random>

namespace vtx {

namespace {

// SplitMix64: enough to keep two sessions of one evening apart.
std::uint64_t splitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t systemSeed() {
    std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device();
}

} // namespace

NetChannel::NetChannel(Match& match, INetReceiverHost& host, IClock& clock, std::uint64_t seed,
                       LinkTimings timings)
    : m_match(match), m_host(host), m_clock(clock),
      m_link([this](const std::vector<unsigned char>& bytes) { sendFrameBytes(bytes); }, timings),
      m_seedState(seed ? seed : systemSeed()), m_timings(timings) {}

std::uint32_t NetChannel::newSession() {
    for (;;)
        if (const auto session = std::uint32_t(splitMix(m_seedState))) return session;
}

void NetChannel::sendText(std::string_view to, std::string_view text) {
    m_host.sendDatagram(to, {reinterpret_cast<const unsigned char*>(text.data()), text.size()});
}

void NetChannel::sendFrameBytes(const std::vector<unsigned char>& bytes) {
    m_host.sendDatagram(m_peer, bytes);
}

void NetChannel::endSession() {
    const bool between = m_phase == Phase::Between;
    m_link.close();
    m_phase = Phase::Idle;
    m_moves.clear();
    m_fleetTaken = false;
    m_matchNumber = 0;
    m_rematchWanted = m_peerWantsRematch = m_peerDeclined = false;
    m_chatSent.clear();
    m_chatAllowance = ChatLinesHeldBack;
    m_chatAllowanceMs = 0;
    if (between) m_host.rematchChanged();
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
    m_link.open(session, now());
    m_matchNumber = 1;
    m_phase = Phase::Joining;
    sendText(m_peer, net::taggedJoin(session));
    m_joinRetryMs = m_timings.firstRetryMs;
    m_nextJoinMs = now() + m_joinRetryMs;
}

bool NetChannel::acceptJoin(std::string_view fromIP, std::optional<std::uint32_t> session) {
    if (!m_offerExtension) session.reset();
    if (session && m_phase != Phase::Idle && fromIP == m_peer && m_link.session() == *session) {
        // The joiner has not heard us yet: answer again.
        m_link.acknowledgeNow(now());
        return false;
    }
    endSession();
    m_peer = std::string(fromIP);
    m_extended = session.has_value();
    m_peerLeft = false;
    if (!session) return true;
    m_link.open(*session, now());
    m_matchNumber = 1;
    m_link.setHeartbeats(true);
    m_phase = Phase::Open;
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
    if (m_phase == Phase::Joining || m_phase == Phase::Open || m_phase == Phase::Between) {
        m_phase = Phase::Closing;
        m_link.setHeartbeats(false);
    }
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
    if (m_phase == Phase::Idle || fromIP != m_peer || frame->session != m_link.session()) {
        m_drops.count(DropReason::Stranger);
        return;
    }
    const std::vector<net::Frame> ready = m_link.receive(*frame, now());
    if (m_phase == Phase::Joining && m_link.heard()) {
        m_phase = Phase::Open;
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
        if (m_phase == Phase::Between) rematchAnswer(false);
        return;
    case net::FrameKind::Chat:
        takeChat(message);
        return;
    case net::FrameKind::Rematch:
        rematchAnswer(message.payload[0] == 1);
        return;
    case net::FrameKind::NextMatch:
        nextMatchStarts(net::decodeNextMatch(message.payload));
        return;
    case net::FrameKind::Ack:
        return;
    }
}

// ------------------------------------------------- chat and another match

bool NetChannel::chatRoom(std::deque<std::int64_t>& stamps, std::int64_t nowMs) {
    while (!stamps.empty() && nowMs - stamps.front() >= 1000)
        stamps.pop_front();
    if (stamps.size() >= ChatLinesPerSecond) return false;
    stamps.push_back(nowMs);
    return true;
}

std::optional<std::string> NetChannel::sendChat(std::string_view name, std::string_view typed) {
    followMatch();
    std::string text = net::chatText(typed);
    if (!canChat() || text.empty() || !chatRoom(m_chatSent, now())) return std::nullopt;
    m_link.send(net::FrameKind::Chat, net::encodeChat(name, text), now());
    return text;
}

void NetChannel::takeChat(const net::Frame& message) {
    const auto line = net::decodeChat(message.payload);
    if (!line || !canChat()) {
        m_drops.count(DropReason::BadChat);
        return;
    }
    // The sender keeps to five a second, but lines held back behind a lost
    // one arrive together: an allowance that refills at five a second and
    // holds ChatLinesHeldBack lets them pass and still cuts a flood.
    const std::int64_t t = now();
    m_chatAllowance = std::min(ChatLinesHeldBack, m_chatAllowance + double(t - m_chatAllowanceMs) *
                                                                        double(ChatLinesPerSecond) / 1000.0);
    m_chatAllowanceMs = t;
    if (m_chatAllowance < 1.0) {
        m_drops.count(DropReason::ChatFlood);
        return;
    }
    m_chatAllowance -= 1.0;
    m_host.chatReceived(line->name, line->text);
}

void NetChannel::followMatch() {
    if (m_phase != Phase::Joining && m_phase != Phase::Open) return;
    const MatchState& s = m_match.state();
    if (s.netMode && s.netConnected) return;
    m_moves.clear();
    // Only a match played to its end is followed by another; a leave is final.
    if (m_phase == Phase::Open && m_extended && !m_peerLeft && (s.gameWon || s.gameLost)) {
        m_phase = Phase::Between;
        m_lostLast = !s.gameWon;
        m_host.rematchChanged();
        if (m_peerDeclined) rematchAnswer(false);
        return;
    }
    m_phase = Phase::Closing;
    m_link.setHeartbeats(false);
}

void NetChannel::wantRematch() {
    followMatch();
    if (m_phase != Phase::Between || m_rematchWanted) return;
    m_rematchWanted = true;
    m_link.send(net::FrameKind::Rematch, {1}, now());
    if (m_peerWantsRematch && m_match.state().netRole == 1) {
        beginNextMatch();
        return;
    }
    m_host.rematchChanged();
}

void NetChannel::declineRematch() {
    followMatch();
    if (m_phase != Phase::Between) return;
    m_link.send(net::FrameKind::Rematch, {0}, now());
    m_phase = Phase::Closing;
    m_link.setHeartbeats(false);
    m_host.rematchChanged();
}

void NetChannel::rematchAnswer(bool yes) {
    // The other side's match may end a moment before this one: its answer
    // waits for the end here.
    if (m_phase == Phase::Open || m_phase == Phase::Joining) {
        (yes ? m_peerWantsRematch : m_peerDeclined) = true;
        return;
    }
    // A yes that crossed this side's no is no lie, just late.
    if (m_phase == Phase::Closing) return;
    if (m_phase != Phase::Between) {
        m_drops.count(DropReason::RematchUnasked);
        return;
    }
    if (!yes) {
        m_peerDeclined = true;
        m_phase = Phase::Closing;
        m_link.setHeartbeats(false);
        m_host.rematchChanged();
        m_host.rematchDeclined();
        return;
    }
    m_peerWantsRematch = true;
    if (m_rematchWanted && m_match.state().netRole == 1) {
        beginNextMatch();
        return;
    }
    m_host.rematchChanged();
}

void NetChannel::nextMatchStarts(std::uint32_t number) {
    // Only the creator starts the next match, and only one both sides asked for.
    if (m_phase != Phase::Between || m_match.state().netRole == 1 || !m_rematchWanted ||
        number != m_matchNumber + 1) {
        m_drops.count(DropReason::RematchUnasked);
        return;
    }
    beginNextMatch();
}

void NetChannel::beginNextMatch() {
    ++m_matchNumber;
    if (m_match.state().netRole == 1)
        m_link.send(net::FrameKind::NextMatch, net::encodeNextMatch(m_matchNumber), now());
    m_phase = Phase::Open;
    m_rematchWanted = m_peerWantsRematch = m_peerDeclined = false;
    m_fleetTaken = false;
    m_moves.clear();
    m_link.setHeartbeats(true);
    m_match.startRematch(m_lostLast);
    m_host.rematchChanged();
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
    return all;
}

// --------------------------------------------------------------------- timers

void NetChannel::tick() {
    if (m_phase == Phase::Idle) return;
    const std::int64_t t = now();
    // The match is over here; what is still unacknowledged goes on.
    followMatch();
    if (m_link.silenceMs(t) >= SilenceLimitMs) {
        const bool report = m_phase != Phase::Closing && !m_peerLeft;
        endSession();
        if (report) m_host.opponentGone();
        return;
    }
    if (m_phase == Phase::Joining && t >= m_nextJoinMs) {
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
    if (m_phase == Phase::Joining) return net::JoiningText;
    if (m_phase != Phase::Open) return std::nullopt;
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
