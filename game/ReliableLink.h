#pragma once

// Delivery of the extended LAN protocol's messages (NetExtension.h) over a
// network that loses, doubles, delays and reorders datagrams: every message
// reaches the other side once and in order, or the other side is known to be
// silent. No socket and no clock of its own: frames and the time in ms come
// in, frames go out through the output function, deliveries are returned.
//
// - Sending numbers each message (1, 2, ...) and keeps it until it is
//   acknowledged; it is sent again when its retry time runs out, the retry
//   time doubling from the measured round trip (RFC 6298's estimate) up to
//   maxRetryMs. Retrying stops only when the link is closed or reopened.
// - Every received frame acknowledges cumulatively and selectively (the 32
//   messages after the first gap). Each received message is answered at once
//   with an acknowledgement; a message already delivered is answered again
//   and dropped; one that comes early is held until the gap before it is
//   filled, as far ahead as the selective acknowledgement can report it
//   (WindowMessages after the last delivered one), so a held message is never
//   sent again; one further ahead is answered and dropped.
// - A frame that acknowledges, cumulatively or selectively, a message this
//   side never sent is dropped whole, unanswered and unheard: a peer that
//   lies there may lie in its other fields too, and believing it would cancel
//   a message that never arrived.
// - With heartbeats on, an acknowledgement goes out whenever nothing was sent
//   for heartbeatMs, so the other side hears this one at least that often.
//
// Call order: open() before anything else of a session; receive() with frames
// of any session (others are ignored); tick() as often as the timers should
// be precise (the game: every 50 ms). Everything on one thread.

#include "game/NetDrops.h"
#include "game/NetExtension.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace vtx {

struct LinkTimings {
    std::int64_t firstRetryMs = 250; // before a round trip was measured
    std::int64_t minRetryMs = 120;
    std::int64_t maxRetryMs = 1000;
    std::int64_t heartbeatMs = 500;
};

struct LinkCounters {
    std::uint64_t framesSent = 0;
    std::uint64_t retransmissions = 0;
    std::uint64_t framesReceived = 0;
    std::uint64_t duplicates = 0;
    std::uint64_t heldEarly = 0;
};

class ReliableLink {
public:
    // The next expected message and the 32 the selective acknowledgement covers.
    static constexpr std::uint32_t WindowMessages = 33;
    using Output = std::function<void(const std::vector<unsigned char>&)>;

    explicit ReliableLink(Output output, LinkTimings timings = {});

    // Starts a session: forgets everything of the previous one.
    void open(std::uint32_t session, std::int64_t nowMs);
    // Forgets the session; later frames are ignored and nothing is sent.
    void close();
    bool isOpen() const { return m_session != 0; }
    std::uint32_t session() const { return m_session; }

    // Numbers the message, sends it now and keeps it until acknowledged.
    void send(net::FrameKind kind, std::vector<unsigned char> payload, std::int64_t nowMs);
    // Takes a frame; returns the messages that are now next in order (none
    // for a frame of another session, a duplicate or an early one).
    std::vector<net::Frame> receive(const net::Frame& frame, std::int64_t nowMs);
    // Sends what is due: retries, and a heartbeat when they are on.
    void tick(std::int64_t nowMs);
    // Sends every unacknowledged message once more, now (the program ends).
    void flush(std::int64_t nowMs);
    // An acknowledgement of what arrived so far, now.
    void acknowledgeNow(std::int64_t nowMs) {
        if (isOpen()) sendAck(nowMs);
    }
    void setHeartbeats(bool on) { m_heartbeats = on; }

    // Whether any frame of this session arrived; ms since the last one (or
    // since open() when none did).
    bool heard() const { return m_heard; }
    std::int64_t silenceMs(std::int64_t nowMs) const { return nowMs - m_lastHeardMs; }
    std::size_t unacknowledged() const { return m_outbox.size(); }
    // Age of the oldest unacknowledged message; 0 when all are acknowledged.
    std::int64_t oldestUnacknowledgedMs(std::int64_t nowMs) const;
    std::int64_t retryMs() const { return m_rto; }
    const LinkCounters& counters() const { return m_counters; }
    // Bogus acknowledgements and messages beyond the window.
    const NetDrops& drops() const { return m_drops; }
    // The number of the last message sent in this session; 0 before the first.
    std::uint32_t lastSent() const { return m_nextSeq - 1; }

private:
    struct Outgoing {
        std::uint32_t seq = 0;
        net::FrameKind kind = net::FrameKind::Ack;
        std::vector<unsigned char> payload;
        std::int64_t firstSentMs = 0;
        std::int64_t lastSentMs = 0;
        std::int64_t retryMs = 0;
        bool retried = false;
    };

    void transmit(const Outgoing& message, std::int64_t nowMs);
    void sendAck(std::int64_t nowMs);
    void acknowledge(std::uint32_t ack, std::uint32_t ackBits, std::int64_t nowMs);
    bool acknowledgesUnsent(const net::Frame& frame) const;
    void sampleRoundTrip(std::int64_t sampleMs);
    std::uint32_t ackBits() const;

    Output m_output;
    LinkTimings m_timings;
    std::uint32_t m_session = 0;
    std::uint32_t m_nextSeq = 1;
    std::deque<Outgoing> m_outbox; // in sequence order
    std::uint32_t m_delivered = 0; // every message up to this one was delivered
    std::map<std::uint32_t, net::Frame> m_early;
    std::int64_t m_lastSentMs = 0;
    std::int64_t m_lastHeardMs = 0;
    bool m_heard = false;
    bool m_heartbeats = false;
    // Round-trip estimate, ms; m_srtt < 0 before the first sample.
    std::int64_t m_srtt = -1;
    std::int64_t m_rttvar = 0;
    std::int64_t m_rto = 0;
    LinkCounters m_counters;
    NetDrops m_drops;
};

} // namespace vtx
