#pragma once

// What the LAN side of a match needs from the main window: the lobby's list,
// the messages to the player, the start of a match and the socket. The
// program's app/LanHost implements it; tests implement it with fakes. UI
// thread only.

#include <span>
#include <string_view>

namespace vtx {

class INetReceiverHost {
public:
    virtual ~INetReceiverHost() = default;
    // A join request reached this creator; opponentIp and netConnected are
    // set. Start a match as the Single button does, then close the lobby.
    virtual void joinRequested() = 0;
    // The lobby's server list: is there a line with this address; add a line
    // for this sender and its presence text.
    virtual bool serverListed(std::string_view fromIP) = 0;
    virtual void addServer(std::string_view fromIP, std::string_view presenceText) = 0;
    // A lobby of this version asks whether a game is created here (the
    // presence query): a creating lobby answers with its presence.
    virtual void presenceAsked(std::string_view fromIP) { (void)fromIP; }
    // "Opponent left the game!", modally.
    virtual void opponentLeft() = 0;
    // The opponent of an extended match has not been heard for the silence
    // limit (crashed, unplugged, asleep): told modally, like a leave.
    virtual void opponentGone() = 0;
    // A chat line of the opponent, its name and text checked.
    virtual void chatReceived(std::string_view name, std::string_view text) {
        (void)name;
        (void)text;
    }
    // Whether another match can be asked for, or was, changed (NetRematch's
    // possible, wanted, peerWants), or it began.
    virtual void rematchChanged() {}
    // The opponent does not want another match: told in words.
    virtual void rematchDeclined() {}
    // One datagram to host, port 6868; nothing for an empty host. A send the
    // network refuses is the host's to report; it never throws.
    virtual void sendDatagram(std::string_view host, std::span<const unsigned char> bytes) = 0;
};

} // namespace vtx
