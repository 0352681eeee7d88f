#include "game/NetChat.h"

#include <algorithm>

namespace vtx {

NetChat::NetChat(NetChannel& channel, INetReceiverHost& host) : m_channel(channel), m_host(host) {
    m_channel.attach(*this);
}

bool NetChat::roomToSend(std::int64_t nowMs) {
    while (!m_sentAt.empty() && nowMs - m_sentAt.front() >= 1000)
        m_sentAt.pop_front();
    if (m_sentAt.size() >= std::size_t(ChatLinesPerSecond)) return false;
    m_sentAt.push_back(nowMs);
    return true;
}

std::optional<std::string> NetChat::send(std::string_view name, std::string_view typed) {
    m_channel.followMatch();
    std::string text = net::chatText(typed);
    if (!canSend() || text.empty() || !roomToSend(m_channel.now())) return std::nullopt;
    m_channel.send(net::FrameKind::Chat, net::encodeChat(name, text));
    return text;
}

bool NetChat::allowanceTakes(std::int64_t nowMs) {
    m_allowanceMs = std::min(ChatLinesHeldBack * LineMs, m_allowanceMs + (nowMs - m_allowanceAtMs));
    m_allowanceAtMs = nowMs;
    if (m_allowanceMs < LineMs) return false;
    m_allowanceMs -= LineMs;
    return true;
}

void NetChat::messageArrived(const net::Frame& message) {
    const auto line = net::decodeChat(message.payload);
    if (!line || !canSend()) {
        m_drops.count(DropReason::BadChat);
        return;
    }
    if (!allowanceTakes(m_channel.now())) {
        m_drops.count(DropReason::ChatFlood);
        return;
    }
    m_host.chatReceived(line->name, line->text);
}

void NetChat::sessionEnded(SessionPhase) {
    m_sentAt.clear();
    m_allowanceMs = ChatLinesHeldBack * LineMs;
    m_allowanceAtMs = 0;
}

} // namespace vtx
