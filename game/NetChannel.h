#pragma once

// This side's line to the LAN opponent: how the match's messages leave and
// how the extended protocol's frames come back (NetExtension.h). The plain
// protocol's datagrams (NetMessage.h) leave here too, byte for byte as ever,
// to opponentIp; the plain ones that arrive are NetReceiver's. Join requests
// and frames go to the computer of the join.
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
//   - after a won or lost match the session stays open between the matches
//     (heartbeats on): both players may chat and ask for another match. When
//     both want one, the creator numbers it and sends its start, and both
//     begin it on the same session, the loser of the last one shooting first.
//     A no, a leave or silence ends the session as above;
//   - chat lines travel from the first frame heard until the session ends,
//     at most ChatLinesPerSecond a second each way; more are not sent, and
//     a peer's beyond them (after ChatLinesHeldBack at once) are dropped.
//
// tick() drives the timers; call it every TickMs while needsTicks(). All on
// the UI thread. opponentLeft and opponentGone return at once (their
// messages wait for nobody): the channel is consistent whenever it calls them.

#include "game/IClock.h"
#include "game/Match.h"
#include "game/NetReceiverHost.h"
#include "game/ReliableLink.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vtx {

class NetChannel {
public:
    static constexpr std::int64_t TickMs = 50;
    static constexpr std::int64_t SilenceLimitMs = 10000;
    // The status line says the other computer is awaited once a message has
    // gone unacknowledged this long, or nothing was heard for QuietMs.
    static constexpr std::int64_t UnacknowledgedMs = 1500;
    static constexpr std::int64_t QuietMs = 2500;
    static constexpr std::size_t ChatLinesPerSecond = 5;
    // Lines of the opponent taken at once before its flood is cut.
    static constexpr double ChatLinesHeldBack = 10.0;

    // seed: for the session numbers; 0 takes one from the system.
    NetChannel(Match& match, INetReceiverHost& host, IClock& clock, std::uint64_t seed = 0,
               LinkTimings timings = {});

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
    bool needsTicks() const { return m_phase != Phase::Idle; }
    // Hands the next received shot to the match when it has applied the last.
    void pumpMoves();

    // ------------------------------------------------ chat and another match
    bool canChat() const { return m_extended && (m_phase == Phase::Open || m_phase == Phase::Between); }
    // Sends what the player typed, cleaned by net::chatText; returns the line
    // as sent, or nothing when there was none to send or the last second
    // already carried ChatLinesPerSecond.
    std::optional<std::string> sendChat(std::string_view name, std::string_view typed);
    // Between a won or lost extended match and the next one.
    bool rematchPossible() const { return m_phase == Phase::Between; }
    bool rematchWanted() const { return m_rematchWanted; }
    bool peerWantsRematch() const { return m_peerWantsRematch; }
    // Play again; the next match starts when the other side wants it too.
    void wantRematch();
    // This side goes back to the menu: the other side is told.
    void declineRematch();
    // Matches of the session so far, the first included.
    std::uint32_t matchNumber() const { return m_matchNumber; }

    // What the status line should say about the connection instead of the
    // match's own text; nothing when the line is fine.
    std::optional<std::string_view> statusText();

    const ReliableLink& link() const { return m_link; }
    // What the channel and its link dropped, by reason.
    NetDrops drops() const;

private:
    enum class Phase { Idle, Joining, Open, Between, Closing };

    std::int64_t now() { return m_clock.tickMs(); }
    void sendText(std::string_view to, std::string_view text);
    // The plain protocol's fleet block of ownFleet and grid block of ownField.
    void sendInfo(std::string_view host);
    void sendField(std::string_view host);
    void sendFrameBytes(const std::vector<unsigned char>& bytes);
    void deliver(const net::Frame& message);
    void endSession();
    // The match ended here: between matches, or closing.
    void followMatch();
    void rematchAnswer(bool yes);
    void nextMatchStarts(std::uint32_t number);
    void beginNextMatch();
    void takeChat(const net::Frame& message);
    // Whether one more chat line fits in the last second of stamps.
    static bool chatRoom(std::deque<std::int64_t>& stamps, std::int64_t nowMs);
    std::uint32_t newSession();

    Match& m_match;
    INetReceiverHost& m_host;
    IClock& m_clock;
    ReliableLink m_link;
    std::uint64_t m_seedState;
    Phase m_phase = Phase::Idle;
    bool m_offerExtension = true;
    bool m_extended = false;
    bool m_peerLeft = false;
    std::string m_peer;
    std::int64_t m_nextJoinMs = 0;
    LinkTimings m_timings;
    std::int64_t m_joinRetryMs = 0;
    std::deque<BoardCell> m_moves;
    bool m_fleetTaken = false; // the opponent's fleet of this match reached the match
    std::uint32_t m_matchNumber = 0;
    bool m_lostLast = false;
    bool m_rematchWanted = false;
    bool m_peerWantsRematch = false;
    bool m_peerDeclined = false;
    std::deque<std::int64_t> m_chatSent;
    double m_chatAllowance = ChatLinesHeldBack;
    std::int64_t m_chatAllowanceMs = 0;
    NetDrops m_drops;
};

} // namespace vtx
