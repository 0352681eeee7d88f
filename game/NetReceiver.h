#pragma once

// The receiving side of the LAN protocol (NetMessage.h): one datagram's bytes
// and its sender's dotted address in, calls on the match and on the host out.
// No socket, no widget: the endpoint delivers, this decides.
//
// Order of the steps for one datagram (datagramReceived):
//   0. ignored when it comes from this computer (a side hears its own
//      broadcasts); a frame of the extended protocol goes to the NetChannel,
//      which keeps answering a finished match's last frames;
//   1. ignored while netMode is off;
//   2. while a block is announced (expectInfo / expectField) and the datagram
//      comes from the opponent, it is that block; otherwise it is text; the
//      presence query of a lobby of this version goes to the host (and no
//      further);
//   3. "SYS$$Joined :" at a creator: the sender becomes the opponent and a
//      match starts (host joinRequested), extended when the request carries
//      the tag. While a match with an opponent runs and has not ended, join
//      requests from other addresses are dropped, and a repeat of the extended
//      request under way is answered without a new match;
//   4. "SYS$$Present:": is the sender already in the lobby's list?
//   5. "SYS$$Info:" announces the fleet block;
//   6. "SYS$$Exit:": the opponent left (host opponentLeft);
//   7. "SYS$$Move:": the shot is stored for the turn timer (Match::receiveMove);
//   8. "SYS$$Field:" announces the grid block;
//   9. a new sender of step 4 is added to the lobby's list.
//
// What is not trusted: a block is taken only from the opponent while one is
// connected and only at its exact size; the fleet must be a legal fresh fleet
// and the grid must match it, and both reach the match together, when the
// grid arrives, or not at all. Match messages (announcements, shots, leave)
// count only from the opponent while connected; a shot outside the grid or
// not a number is dropped. Inside an extended match the plain match messages
// and blocks count from nobody: the match's messages are frames, and a plain
// shot outside their sequence would move the turn on one side only. Dropped
// datagrams are counted by reason (NetDrops.h).
//
// No call made here runs the event loop (Match::singleClicked leaves
// its wait to a timer, the host's messages wait for nobody), so a datagram is
// always handled whole before the next.

#include "game/FleetBlock.h"
#include "game/Match.h"
#include "game/NetChannel.h"
#include "game/NetReceiverHost.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

class NetReceiver {
public:
    NetReceiver(Match& match, INetReceiverHost& host, NetChannel& channel);

    // Addresses of this computer; datagrams from any of them are its own.
    void setLocalAddresses(std::vector<std::string> addresses);

    void datagramReceived(std::span<const unsigned char> bytes, std::string_view fromIP);

    // Datagrams and messages dropped since creation, by reason, the
    // channel's included.
    NetDrops drops() const;
    std::uint64_t dropped() const { return drops().total(); }

private:
    bool fromOpponent(std::string_view fromIP) const;
    // Consumes the announced block; false when the datagram has another size
    // (then it is no block, and the announcement is forgotten).
    bool takeBlock(std::span<const unsigned char> bytes);

    void joinRequest(std::string_view text, std::string_view fromIP);

    Match& m_match;
    INetReceiverHost& m_host;
    NetChannel& m_channel;
    std::vector<std::string> m_local;
    // The fleet of the exchange under way, held until its grid arrives.
    FleetBlock m_pendingFleet{};
    bool m_fleetPending = false;
    NetDrops m_drops;
};

} // namespace vtx
