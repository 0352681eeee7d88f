#include "game/NetRematch.h"

namespace vtx {

NetRematch::NetRematch(NetChannel& channel, Match& match, INetReceiverHost& host)
    : m_channel(channel), m_match(match), m_host(host) {
    m_channel.attach(*this);
}

void NetRematch::want() {
    m_channel.followMatch();
    if (!possible() || m_wanted) return;
    m_wanted = true;
    m_channel.send(net::FrameKind::Rematch, {1});
    if (m_peerWants && creator()) {
        begin();
        return;
    }
    m_host.rematchChanged();
}

void NetRematch::decline() {
    m_channel.followMatch();
    if (!possible()) return;
    m_channel.send(net::FrameKind::Rematch, {0});
    m_channel.linger();
    m_host.rematchChanged();
}

void NetRematch::messageArrived(const net::Frame& message) {
    if (message.kind == net::FrameKind::Rematch)
        answerArrived(message.payload[0] == 1);
    else
        startArrived(net::decodeNextMatch(message.payload));
}

void NetRematch::matchEnded() {
    m_lostLast = !m_match.state().gameWon;
    m_host.rematchChanged();
    if (m_peerDeclined) answerArrived(false);
}

void NetRematch::peerLeft() {
    if (possible()) answerArrived(false);
}

void NetRematch::sessionEnded(SessionPhase endedIn) {
    m_matchNumber = 0;
    m_wanted = m_peerWants = m_peerDeclined = false;
    if (endedIn == SessionPhase::Between) m_host.rematchChanged();
}

void NetRematch::answerArrived(bool yes) {
    const SessionPhase phase = m_channel.phase();
    // The other side's match may end a moment before this one: its answer
    // waits for the end here.
    if (phase == SessionPhase::Open || phase == SessionPhase::Joining) {
        (yes ? m_peerWants : m_peerDeclined) = true;
        return;
    }
    // A yes that crossed this side's no is no lie, just late.
    if (phase == SessionPhase::Closing) return;
    if (phase != SessionPhase::Between) {
        m_drops.count(DropReason::RematchUnasked);
        return;
    }
    if (!yes) {
        m_peerDeclined = true;
        m_channel.linger();
        m_host.rematchChanged();
        m_host.rematchDeclined();
        return;
    }
    m_peerWants = true;
    if (m_wanted && creator()) {
        begin();
        return;
    }
    m_host.rematchChanged();
}

void NetRematch::startArrived(std::uint32_t number) {
    // Only the creator starts the next match, and only one both sides asked for.
    if (!possible() || creator() || !m_wanted || number != m_matchNumber + 1) {
        m_drops.count(DropReason::RematchUnasked);
        return;
    }
    begin();
}

void NetRematch::begin() {
    ++m_matchNumber;
    if (creator()) m_channel.send(net::FrameKind::NextMatch, net::encodeNextMatch(m_matchNumber));
    m_wanted = m_peerWants = m_peerDeclined = false;
    m_channel.beginNextMatch();
    m_match.startRematch(m_lostLast);
    m_host.rematchChanged();
}

} // namespace vtx
