#pragma once

// The LAN chat: one-line messages between the two players of an extended
// session, each with its sender's name, from the first frame heard until the
// session ends (NetChannel::carriesParts). Rides on the NetChannel's session.
//
// At most ChatLinesPerSecond lines leave a second; more are refused to the
// player, who keeps the text. The opponent's lines pass through an allowance
// of ChatLinesHeldBack lines that refills at ChatLinesPerSecond a second:
// lines held back behind a lost one arrive together and pass, a flood is cut.
// A line that is no valid chat payload, or one that comes while the session
// carries no chat, is dropped as bad chat; one beyond the allowance as a
// flood. UI thread only.

#include "game/INetChannelPart.h"
#include "game/NetChannel.h"
#include "game/NetReceiverHost.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace vtx {

class NetChat final : public INetChannelPart {
public:
    static constexpr std::int64_t ChatLinesPerSecond = 5;
    // Lines of the opponent taken at once before its flood is cut.
    static constexpr std::int64_t ChatLinesHeldBack = 10;

    // Attaches itself to channel; both outlive each other's use.
    NetChat(NetChannel& channel, INetReceiverHost& host);

    bool canSend() const { return m_channel.carriesParts(); }
    // Sends what the player typed, cleaned by net::chatText; returns the line
    // as sent, or nothing when there was none to send or the last second
    // already carried ChatLinesPerSecond.
    std::optional<std::string> send(std::string_view name, std::string_view typed);

    // INetChannelPart: the 'C' messages; each line taken goes to the host.
    bool takes(net::FrameKind kind) const override { return kind == net::FrameKind::Chat; }
    void messageArrived(const net::Frame& message) override;
    void sessionEnded(SessionPhase endedIn) override;
    NetDrops drops() const override { return m_drops; }

private:
    // One line's share of the allowance: the opponent's allowance is kept in
    // ms of refill, so the rate is exact.
    static constexpr std::int64_t LineMs = 1000 / ChatLinesPerSecond;

    bool roomToSend(std::int64_t nowMs);
    bool allowanceTakes(std::int64_t nowMs);

    NetChannel& m_channel;
    INetReceiverHost& m_host;
    std::deque<std::int64_t> m_sentAt; // this side's lines of the last second, ms
    std::int64_t m_allowanceMs = ChatLinesHeldBack * LineMs;
    std::int64_t m_allowanceAtMs = 0;
    NetDrops m_drops;
};

} // namespace vtx
