#include "game/ReliableLink.h"

#include <algorithm>

namespace vtx {

ReliableLink::ReliableLink(Output output, LinkTimings timings)
    : m_output(std::move(output)), m_timings(timings), m_rto(timings.firstRetryMs) {}

void ReliableLink::open(std::uint32_t session, std::int64_t nowMs) {
    close();
    m_session = session;
    m_lastHeardMs = nowMs;
    m_lastSentMs = nowMs;
}

void ReliableLink::close() {
    m_session = 0;
    m_nextSeq = 1;
    m_outbox.clear();
    m_delivered = 0;
    m_early.clear();
    m_heard = false;
    m_heartbeats = false;
    m_srtt = -1;
    m_rttvar = 0;
    m_rto = m_timings.firstRetryMs;
}

std::uint32_t ReliableLink::ackBits() const {
    std::uint32_t bits = 0;
    for (const auto& [seq, frame] : m_early) {
        const std::uint32_t offset = seq - m_delivered - 2;
        if (offset < 32) bits |= 1u << offset;
    }
    return bits;
}

void ReliableLink::transmit(const Outgoing& message, std::int64_t nowMs) {
    net::Frame frame;
    frame.kind = message.kind;
    frame.session = m_session;
    frame.seq = message.seq;
    frame.ack = m_delivered;
    frame.ackBits = ackBits();
    frame.payload = message.payload;
    m_output(net::encodeFrame(frame));
    m_lastSentMs = nowMs;
    ++m_counters.framesSent;
}

void ReliableLink::sendAck(std::int64_t nowMs) {
    transmit(Outgoing{}, nowMs);
}

void ReliableLink::send(net::FrameKind kind, std::vector<unsigned char> payload, std::int64_t nowMs) {
    if (!isOpen()) return;
    Outgoing message;
    message.seq = m_nextSeq++;
    message.kind = kind;
    message.payload = std::move(payload);
    message.firstSentMs = message.lastSentMs = nowMs;
    message.retryMs = m_rto;
    transmit(message, nowMs);
    m_outbox.push_back(std::move(message));
}

void ReliableLink::sampleRoundTrip(std::int64_t sampleMs) {
    sampleMs = std::max<std::int64_t>(sampleMs, 1);
    if (m_srtt < 0) {
        m_srtt = sampleMs;
        m_rttvar = sampleMs / 2;
    } else {
        m_rttvar = (3 * m_rttvar + std::abs(m_srtt - sampleMs)) / 4;
        m_srtt = (7 * m_srtt + sampleMs) / 8;
    }
    m_rto = std::clamp(m_srtt + std::max<std::int64_t>(10, 4 * m_rttvar), m_timings.minRetryMs,
                       m_timings.maxRetryMs);
}

void ReliableLink::acknowledge(std::uint32_t ack, std::uint32_t bits, std::int64_t nowMs) {
    const auto acked = [&](std::uint32_t seq) {
        if (seq <= ack) return true;
        const std::uint32_t offset = seq - ack - 2;
        return offset < 32 && (bits >> offset & 1u) != 0;
    };
    for (auto it = m_outbox.begin(); it != m_outbox.end();) {
        if (!acked(it->seq)) {
            ++it;
            continue;
        }
        // Karn: a retried message's acknowledgement may answer either copy.
        if (!it->retried) sampleRoundTrip(nowMs - it->firstSentMs);
        it = m_outbox.erase(it);
    }
}

bool ReliableLink::acknowledgesUnsent(const net::Frame& frame) const {
    const std::uint64_t last = lastSent();
    if (frame.ack > last) return true;
    if (frame.ackBits == 0) return false;
    int highest = 31;
    while ((frame.ackBits >> highest & 1u) == 0)
        --highest;
    // 64-bit: an acknowledgement near 2^32 must not wrap below the last sent.
    return std::uint64_t(frame.ack) + 2 + std::uint64_t(highest) > last;
}

std::vector<net::Frame> ReliableLink::receive(const net::Frame& frame, std::int64_t nowMs) {
    std::vector<net::Frame> ready;
    if (!isOpen() || frame.session != m_session) return ready;
    if (acknowledgesUnsent(frame)) {
        m_drops.count(DropReason::BogusAck);
        return ready;
    }
    ++m_counters.framesReceived;
    m_heard = true;
    m_lastHeardMs = nowMs;
    acknowledge(frame.ack, frame.ackBits, nowMs);
    if (frame.kind == net::FrameKind::Ack) return ready;

    if (frame.seq <= m_delivered || m_early.count(frame.seq)) {
        ++m_counters.duplicates;
    } else if (frame.seq - m_delivered <= WindowMessages) {
        if (frame.seq != m_delivered + 1) ++m_counters.heldEarly;
        m_early.emplace(frame.seq, frame);
        for (auto next = m_early.find(m_delivered + 1); next != m_early.end();
             next = m_early.find(m_delivered + 1)) {
            ready.push_back(std::move(next->second));
            m_early.erase(next);
            ++m_delivered;
        }
    } else {
        m_drops.count(DropReason::BeyondWindow);
    }
    // Answered even when dropped: the sender must learn what did arrive.
    sendAck(nowMs);
    return ready;
}

void ReliableLink::tick(std::int64_t nowMs) {
    if (!isOpen()) return;
    for (Outgoing& message : m_outbox) {
        if (nowMs - message.lastSentMs < message.retryMs) continue;
        message.lastSentMs = nowMs;
        message.retried = true;
        message.retryMs = std::min(message.retryMs * 2, m_timings.maxRetryMs);
        ++m_counters.retransmissions;
        transmit(message, nowMs);
    }
    if (m_heartbeats && nowMs - m_lastSentMs >= m_timings.heartbeatMs) sendAck(nowMs);
}

void ReliableLink::flush(std::int64_t nowMs) {
    if (!isOpen()) return;
    for (Outgoing& message : m_outbox) {
        message.retried = true;
        transmit(message, nowMs);
    }
}

std::int64_t ReliableLink::oldestUnacknowledgedMs(std::int64_t nowMs) const {
    return m_outbox.empty() ? 0 : nowMs - m_outbox.front().firstSentMs;
}

} // namespace vtx
