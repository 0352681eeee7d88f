#pragma once

// What rides on the NetChannel's session besides the match: the chat
// (NetChat) and another match (NetRematch). A part registers with
// NetChannel::attach; the channel then hands it the messages of its kinds,
// in order, once each, and tells it what happens to the session. A part
// sends through the channel (NetChannel::send), never on its own.
//
// The channel calls these from inside its own calls (receiveFrame, tick, the
// join): a part may call the channel back, but must not end the session from
// sessionEnded. UI thread only.

#include "game/NetDrops.h"
#include "game/NetExtension.h"

namespace vtx {

// Where this side's session with the opponent stands.
enum class SessionPhase {
    Idle,    // no session: no match, or a plain one
    Joining, // the tagged join request is repeated until a frame answers it
    Open,    // a match runs on the session; heartbeats flow
    Between, // its match was played to its end; the session stays open
             // (heartbeats on) for the chat and another match
    Closing, // over here: no heartbeats; what is unacknowledged is still
             // retried until the other side falls silent
};

class INetChannelPart {
public:
    // Whether messages of this kind are the part's.
    virtual bool takes(net::FrameKind kind) const = 0;
    virtual void messageArrived(const net::Frame& message) = 0;
    // An extended session began (its first match is starting).
    virtual void sessionStarted() {}
    // The session's match was played to its end here and the session stays
    // open between matches (NetChannel::Phase::Between).
    virtual void matchEnded() {}
    // The opponent's leave message arrived.
    virtual void peerLeft() {}
    // The session is over (silence, or a new join); endedIn is the phase it
    // was in. Everything of the session is forgotten.
    virtual void sessionEnded(SessionPhase endedIn) { (void)endedIn; }
    // What the part dropped, by reason.
    virtual NetDrops drops() const = 0;

protected:
    ~INetChannelPart() = default;
};

} // namespace vtx
