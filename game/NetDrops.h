#pragma once

// Why the LAN side dropped a datagram or a message: a peer that breaks the
// protocol, a stranger, or the network's late copies. A drop is counted and
// never ends the match; a peer that lies about one thing cannot make this
// side wait for ever. docs/lan-protocol.md lists what each reason covers.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vtx {

enum class DropReason : std::uint8_t {
    Malformed,       // no well-formed frame, or a plain message that does not parse
    Stranger,        // another address or session, or no match to belong to
    BogusAck,        // acknowledges a message this side never sent
    BeyondWindow,    // a message too far ahead to be held
    PlainInExtended, // a plain match message or block inside an extended match
    Untrusted,       // a plain match message or block from anybody but the opponent
    BadFleet,        // a fleet or grid that breaks the rules, or a block of the wrong size
    FleetAgain,      // a fleet after the opponent's fleet was taken
    OffGrid,         // a shot outside rows and columns 1..10
    OutOfTurn,       // a shot from the side whose turn it is not
    BadChat,         // a chat line that is no UTF-8, too long, has control characters or comes with no match
    ChatFlood,       // a chat line beyond ten at once and five a second
    RematchUnasked,  // a next match's start nobody agreed to, or an answer with no match ended
    Count
};

class NetDrops {
public:
    void count(DropReason reason) { ++m_counts[index(reason)]; }
    std::uint64_t operator[](DropReason reason) const { return m_counts[index(reason)]; }
    std::uint64_t total() const {
        std::uint64_t sum = 0;
        for (std::uint64_t n : m_counts)
            sum += n;
        return sum;
    }
    NetDrops& operator+=(const NetDrops& other) {
        for (std::size_t i = 0; i < m_counts.size(); ++i)
            m_counts[i] += other.m_counts[i];
        return *this;
    }
    // "malformed 2, stranger 1": the reasons that were counted, for the log.
    std::string summary() const {
        std::string text;
        for (std::size_t i = 0; i < m_counts.size(); ++i) {
            if (m_counts[i] == 0) continue;
            if (!text.empty()) text += ", ";
            text += std::string(name(DropReason(i))) + ' ' + std::to_string(m_counts[i]);
        }
        return text;
    }
    static std::string_view name(DropReason reason) {
        static constexpr std::array<std::string_view, std::size_t(DropReason::Count)> names = {
            "malformed", "stranger",   "bogus ack",      "beyond window", "plain in extended",
            "untrusted", "bad fleet",  "fleet again",    "off grid",      "out of turn",
            "bad chat",  "chat flood", "rematch unasked"};
        return names[index(reason)];
    }

private:
    static constexpr std::size_t index(DropReason reason) { return std::size_t(reason); }
    std::array<std::uint64_t, std::size_t(DropReason::Count)> m_counts{};
};

} // namespace vtx
