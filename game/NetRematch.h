#pragma once

// Another match on the same session, after an extended match played to its
// end (NetChannel's Between phase): both players may ask for one (Play
// again) or go back to the menu. Rides on the NetChannel's session.
//
// The state machine, for either side:
//   - this side's yes ('R' 1) and the opponent's are remembered; an answer
//     that arrives while this side's match still runs waits for its end;
//   - when both want one, the creator numbers the match (2, 3, ... in the
//     session), sends its start ('N' with the number) and begins it; the
//     joiner begins it when that start arrives, and only a start it asked
//     for with the next number;
//   - in the next match the loser of the last one shoots first
//     (Match::startRematch);
//   - a no ('R' 0) from either side, the opponent's leave or its silence
//     ends it: the session lingers or ends (NetChannel), and a no of the
//     opponent's is told to the player.
// Every change of what may be asked is told through the host's
// rematchChanged; the opponent's no through rematchDeclined. A start nobody
// agreed to, or an answer with no match ended, is dropped and counted.
// UI thread only.

#include "game/INetChannelPart.h"
#include "game/Match.h"
#include "game/NetChannel.h"
#include "game/NetReceiverHost.h"

#include <cstdint>

namespace vtx {

class NetRematch final : public INetChannelPart {
public:
    // Attaches itself to channel; all of them outlive each other's use.
    NetRematch(NetChannel& channel, Match& match, INetReceiverHost& host);

    // Between a won or lost extended match and the next one.
    bool possible() const { return m_channel.phase() == SessionPhase::Between; }
    bool wanted() const { return m_wanted; }
    bool peerWants() const { return m_peerWants; }
    // Play again; the next match starts when the other side wants it too.
    void want();
    // This side goes back to the menu: the other side is told.
    void decline();
    // Matches of the session so far, the first included; 0 without one.
    std::uint32_t matchNumber() const { return m_matchNumber; }

    // INetChannelPart: the 'R' and 'N' messages.
    bool takes(net::FrameKind kind) const override {
        return kind == net::FrameKind::Rematch || kind == net::FrameKind::NextMatch;
    }
    void messageArrived(const net::Frame& message) override;
    void sessionStarted() override { m_matchNumber = 1; }
    void matchEnded() override;
    void peerLeft() override;
    void sessionEnded(SessionPhase endedIn) override;
    NetDrops drops() const override { return m_drops; }

private:
    bool creator() const { return m_match.state().netRole == NetRole::Creator; }
    void answerArrived(bool yes);
    void startArrived(std::uint32_t number);
    void begin();

    NetChannel& m_channel;
    Match& m_match;
    INetReceiverHost& m_host;
    std::uint32_t m_matchNumber = 0;
    bool m_lostLast = false;
    bool m_wanted = false;
    bool m_peerWants = false;
    bool m_peerDeclined = false;
    NetDrops m_drops;
};

} // namespace vtx
