// libFuzzer target: the LAN datagram handler with the match in every state
// (menu, arranging by hand, waiting for the exchange, the player's turn, the
// opponent's turn, over), over the plain protocol or the extended one.
// Input: one byte choosing the state, the role, the protocol and whether a
// match that is over was lost with another one wanted, then records, each a
// kind byte, a 16-bit little-endian length and that many bytes: a datagram
// from the opponent, a third lobby or this computer, or
// (kind 3) the clock moving on by length * 8 ms with the link's timers run.
// After each record the timers tick as the main window's would. Whatever
// arrives, the grids keep their cell codes and the fleets stay what the rules
// wrote or a legal fleet received whole.

#include "game/FleetBlock.h"
#include "game/Match.h"
#include "game/NetChat.h"
#include "game/NetExtension.h"
#include "game/NetMessage.h"
#include "game/NetReceiver.h"
#include "game/NetRematch.h"
#include "tests/support/MatchSetup.h"
#include "tests/support/NullMatchHost.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

class FixedClock final : public vtx::IClock {
public:
    std::int64_t timeOfDayMs() override { return ++m_now; }
    std::int64_t tickMs() override { return m_now; }
    void advance(std::int64_t ms) { m_now += ms; }

private:
    std::int64_t m_now = 40'000'000;
};

constexpr std::uint32_t kSession = 0x1234;

void receive(vtx::NetReceiver& receiver, std::span<const unsigned char> bytes, const char* from) {
    receiver.datagramReceived(bytes, from);
}

class Host final : public vtx::NullMatchHost {
public:
    bool manual = false;
    bool manualArrangementChecked() override { return manual; }
};

class Lobby final : public vtx::INetReceiverHost {
public:
    explicit Lobby(vtx::Match& match) : m_match(match) {}
    void joinRequested() override { m_match.singleClicked(); }
    bool serverListed(std::string_view ip) override {
        return std::find(m_lines.begin(), m_lines.end(), ip) != m_lines.end();
    }
    void addServer(std::string_view ip, std::string_view) override {
        if (m_lines.size() < 64) m_lines.emplace_back(ip);
    }
    void opponentLeft() override {}
    void opponentGone() override {}
    void sendDatagram(std::string_view, std::span<const unsigned char>) override {}

private:
    vtx::Match& m_match;
    std::vector<std::string> m_lines;
};

bool codesValid(const vtx::Field& field) {
    return std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '4'; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    FixedClock clock;
    Host host;
    vtx::Match match(host, clock);
    Lobby lobby(match);
    vtx::NetChannel channel(match, lobby, clock, 1);
    vtx::NetChat chat(channel, lobby);
    vtx::NetRematch rematch(channel, match, lobby);
    vtx::NetReceiver receiver(match, lobby, channel);
    receiver.setLocalAddresses({"10.0.0.1"});
    // A fuzzed match is set up in the middle of a game, as the tests do.
    vtx::MatchState& s = vtx::test::setUp(match);
    match.activateTurnTimer();

    const int state = data[0] % 6;
    const bool extended = (data[0] / 12) % 2 == 1;
    const bool lost = (data[0] / 24) % 2 == 1;
    s.netMode = true;
    s.netRole = vtx::NetRole((data[0] / 6) % 2 + 1);
    if (state >= 1) {
        s.netConnected = true;
        s.opponentIp = "10.0.0.2";
        channel.acceptJoin("10.0.0.2", extended ? std::optional<std::uint32_t>(kSession) : std::nullopt);
        host.manual = state == 1;
        match.singleClicked();
    }
    if (state >= 3) {
        // The opponent's legal exchange, then the battle.
        vtx::Match peer(host, clock);
        peer.arrangeFleet();
        const vtx::FleetBlock fleet = vtx::encodeFleet(peer.state().workFleet);
        const vtx::FieldBlock field = vtx::encodeField(peer.state().workField);
        if (extended) {
            vtx::net::Frame frame{vtx::net::FrameKind::Fleet, kSession, 1, 0, 0, {}};
            frame.payload.assign(fleet.begin(), fleet.end());
            frame.payload.insert(frame.payload.end(), field.begin(), field.end());
            receive(receiver, vtx::net::encodeFrame(frame), "10.0.0.2");
        } else {
            const std::string info(vtx::net::InfoMarker), grid(vtx::net::FieldMarker);
            receive(receiver, {reinterpret_cast<const unsigned char*>(info.data()), info.size()}, "10.0.0.2");
            receive(receiver, fleet, "10.0.0.2");
            receive(receiver, {reinterpret_cast<const unsigned char*>(grid.data()), grid.size()}, "10.0.0.2");
            receive(receiver, field, "10.0.0.2");
        }
        match.completeFleetExchange();
        s.playerTurn = state == 3 ? 1 : 0;
        // Over: left with Exit, or (extended) lost and waiting to play again.
        if (state == 5 && lost) s.gameLost = true;
        if (state == 5) match.exitClicked();
        if (state == 5 && lost) {
            channel.tick();
            rematch.want();
        }
    }

    static const char* const senders[] = {"10.0.0.2", "10.0.0.3", "10.0.0.1"};
    std::size_t at = 1;
    while (at + 3 <= size) {
        const int kind = data[at] % 4;
        const std::size_t wanted = std::size_t(data[at + 1]) | std::size_t(data[at + 2]) << 8;
        if (kind == 3) {
            clock.advance(std::int64_t(wanted) * 8);
            channel.tick();
            at += 3;
        } else {
            const std::size_t length = std::min(wanted, size - at - 3);
            receive(receiver, {data + at + 3, length}, senders[kind]);
            at += 3 + length;
        }
        match.turnTimerFired();
        channel.pumpMoves();
        match.completeFleetExchange();
        // Nothing the opponent sends makes the link keep more than it was given.
        if (channel.link().unacknowledged() > 2) std::abort();
        if (!codesValid(s.ownField) || !codesValid(s.enemyField)) std::abort();
        if (s.fleetReceived && !vtx::net::fleetProblem(s.enemyFleet).empty() && !s.fightStarted) std::abort();
    }
    return 0;
}
