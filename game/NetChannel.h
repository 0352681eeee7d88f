#pragma once

// This side's line to the LAN opponent: the join, the session, and the
// match's own messages (fleet, shots, leave) with their ordered delivery.
// The plain protocol's datagrams (NetMessage.h) leave here too, byte for
// byte as ever, to opponentIp; the plain ones that arrive are NetReceiver's.
// Join requests and frames go to the computer of the join. The chat and
// another match ride on the session as parts of their own (NetChat,
// NetRematch; INetChannelPart.h says what the channel owes them).
//
// Which protocol a match plays is settled at the join:
//   joiner   join(creator, extended): extended when the creator's presence
//            carried the tag. The tagged request is repeated on the link's
//            retry timing (its first retry time, doubling to its longest)
//            until a frame of its session comes back.
//   creator  acceptJoin(joiner, session): a tagged request opens the session
//            and answers at once; a repeat of it is answered again and starts
//            nothing; a plain request makes a plain match.
// In an extended match:
//   - the fleet and grid travel whole in one message, shots one a message,
//     leaving as a message; all through the ReliableLink (once, in order);
//   - received shots wait in a queue and reach the match one at a time, when
//     the turn timer has applied the one before (pumpMoves);
//   - heartbeats flow while the match runs; an opponent silent for
//     SilenceLimitMs (also a creator that never answers a join) is reported
//     once through opponentGone, and the session ends;
//   - once the match is over here (Exit, a win, a loss: netConnected false)
//     the session lingers without heartbeats, so the last shot or the leave
//     message is still retried and late frames are still acknowledged, until
//     the other side has been silent for SilenceLimitMs or a new match begins;
//   - a match played to its end (won or lost, nobody left) leaves the session
//     open between matches, heartbeats on, until another match begins on it
//     or its parts let it linger (NetRematch decides which);
//   - messages of the parts' kinds (chat, another match) go to the part that
//     takes them, in order with the match's own.
//
// tick() drives the timers; call it every TickMs while needsTicks(). All on
// the UI thread. opponentLeft and opponentGone return at once (their
// messages wait for nobody): the channel is consistent whenever it calls them.

#include "game/IClock.h"
#include "game/INetChannelPart.h"
#include "game/Match.h"
#include "game/NetReceiverHost.h"
#include "game/ReliableLink.h"
#include "game/SplitMix64.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

class NetChannel {
public:
    static constexpr std::int64_t TickMs = 50;
    static constexpr std::int64_t SilenceLimitMs = 10000;
    // The status line says the other computer is awaited once a message has
    // gone unacknowledged this long, or nothing was heard for QuietMs.
    static constexpr std::int64_t UnacknowledgedMs = 1500;
    static constexpr std::int64_t QuietMs = 2500;

    // seed: for the session numbers; 0 takes one from the system.
    NetChannel(Match& match, INetReceiverHost& host, IClock& clock, std::uint64_t seed = 0,
               LinkTimings timings = {});

    // A part riding on the session; it outlives the channel's use of it.
    void attach(INetChannelPart& part);

    // ------------------------------------------------------------ the join
    void join(std::string_view creatorIP, bool extended);
    // False for a repeat of the session already under way (answered, and no
    // new match may start); true when a match with fromIP begins.
    bool acceptJoin(std::string_view fromIP, std::optional<std::uint32_t> session);
    // The match under way or last played uses frames.
    bool extended() const { return m_extended; }
    // Off: this side speaks only the plain protocol, as an older program
    // does (tests and measurements play against it).
    void setOfferExtension(bool on) { m_offerExtension = on; }

    // --------------------------------------------- the match's messages out
    void sendShot(std::int32_t row, std::int32_t column);
    void sendLeave();
    void sendFleet();
    // The program is ending: what is unacknowledged goes out once more now,
    // as there will be no retries.
    void flushNow();

    // ------------------------------------------------------------- frames in
    void receiveFrame(std::span<const unsigned char> bytes, std::string_view fromIP);

    // ------------------------------------------------------------- timers
    void tick();
    bool needsTicks() const { return m_phase != SessionPhase::Idle; }
    // Hands the next received shot to the match when it has applied the last.
    void pumpMoves();

    // ---------------------------------------- for the parts riding on it
    SessionPhase phase() const { return m_phase; }
    // Whether the parts' messages travel now: an extended session with a
    // match running on it or between matches.
    bool carriesParts() const {
        return m_extended && (m_phase == SessionPhase::Open || m_phase == SessionPhase::Between);
    }
    // Catches up with the match: once it is over here, the session is
    // between matches or lingers. Called before a part acts on the phase.
    void followMatch();
    // A message of a part, over the link.
    void send(net::FrameKind kind, std::vector<unsigned char> payload);
    // Between matches: the session's next match begins on it (Open again);
    // the match must be started right after.
    void beginNextMatch();
    // Between matches or in a match: no more matches on this session; it
    // lingers (Closing).
    void linger();
    // The channel's clock, ms.
    std::int64_t now() { return m_clock.tickMs(); }

    // What the status line should say about the connection instead of the
    // match's own text; nothing when the line is fine.
    std::optional<std::string_view> statusText();

    const ReliableLink& link() const { return m_link; }
    // What the channel, its link and its parts dropped, by reason.
    NetDrops drops() const;

private:
    void sendText(std::string_view to, std::string_view text);
    // The plain protocol's fleet block of ownFleet and grid block of ownField.
    void sendInfo(std::string_view host);
    void sendField(std::string_view host);
    void sendFrameBytes(const std::vector<unsigned char>& bytes);
    void open(std::uint32_t session);
    void deliver(const net::Frame& message);
    void endSession();
    std::uint32_t newSession();

    Match& m_match;
    INetReceiverHost& m_host;
    IClock& m_clock;
    ReliableLink m_link;
    std::vector<INetChannelPart*> m_parts;
    SplitMix64 m_sessionNumbers; // from one seed: enough to keep two sessions of one evening apart
    SessionPhase m_phase = SessionPhase::Idle;
    bool m_offerExtension = true;
    bool m_extended = false;
    bool m_peerLeft = false;
    std::string m_peer;
    std::int64_t m_nextJoinMs = 0;
    LinkTimings m_timings;
    std::int64_t m_joinRetryMs = 0;
    std::deque<BoardCell> m_moves;
    bool m_fleetTaken = false; // the opponent's fleet of this match reached the match
    NetDrops m_drops;
};

} // namespace vtx
