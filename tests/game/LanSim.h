#pragma once

// Two copies of the game's LAN side (match, channel with its chat and
// another match, receiver, as the main window wires them) back to back
// through a simulated network that loses, doubles, delays and reorders
// datagrams as told, with a seeded generator and simulated time in 5 ms
// steps. For the tests and the LAN benchmark.

#include "FakeMatchHost.h"
#include "tests/support/MatchSetup.h"

#include "game/NetChannel.h"
#include "game/NetChat.h"
#include "game/NetReceiver.h"
#include "game/NetRematch.h"

#include <algorithm>
#include <deque>
#include <map>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace vtx::test {

using Bytes = std::vector<unsigned char>;

// A seeded network between two addresses: each datagram is lost, doubled,
// delayed and overtaken as the settings say.
struct SimNet {
    double loss = 0, duplicate = 0, reorder = 0;
    std::int64_t delayMs = 20, jitterMs = 10;
    bool cut = false;
    std::mt19937 random;
    std::int64_t now = 0;
    std::uint64_t order = 0;
    struct Datagram {
        int to;
        std::string from;
        Bytes bytes;
    };
    std::multimap<std::pair<std::int64_t, std::uint64_t>, Datagram> inFlight;
    std::uint64_t sent = 0;

    explicit SimNet(unsigned seed) : random(seed) {}
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; }
    std::vector<std::string> sentTo[2]; // every datagram as sent, before the network's harm
    void send(int to, std::string from, std::span<const unsigned char> bytes) {
        ++sent;
        sentTo[to].emplace_back(bytes.begin(), bytes.end());
        if (cut || chance(loss)) return;
        const int copies = chance(duplicate) ? 2 : 1;
        for (int i = 0; i < copies; ++i) {
            std::int64_t at =
                now + delayMs + std::uniform_int_distribution<std::int64_t>(-jitterMs, jitterMs)(random);
            if (chance(reorder)) at += delayMs + jitterMs + 5; // overtaken by what follows
            inFlight.emplace(std::make_pair(std::max(at, now), order++),
                             Datagram{to, from, Bytes(bytes.begin(), bytes.end())});
        }
    }
};

struct SimClock final : IClock {
    const std::int64_t* now;
    explicit SimClock(const std::int64_t* n) : now(n) {}
    std::int64_t timeOfDayMs() override { return *now % 86400000; }
    std::int64_t tickMs() override { return *now; }
};

// One copy of the game: its match, its channel with the chat and another
// match riding on it, and its receiver, as the main window wires them.
struct Side final : INetReceiverHost {
    SimNet& net;
    int index;
    std::string address, peerAddress;
    StepClock matchClock;
    SimClock linkClock;
    FakeMatchHost host{&matchClock};
    Match match{host, matchClock};
    NetChannel channel;
    NetChat chat{channel, *this};
    NetRematch rematch{channel, match, *this};
    NetReceiver rx{match, *this, channel};
    int left = 0, gone = 0, misaddressed = 0, declined = 0;
    std::vector<std::string> chatShown; // "name: text"
    std::int64_t goneAt = -1;
    std::vector<int> targets; // cells still to fire at, in a shuffled order
    std::int64_t nextShotAt = 0;
    std::deque<std::int64_t> firedAt; // shots of this side not yet marked on the other

    Side(SimNet& n, int i, unsigned seed)
        : net(n), index(i), address(i == 0 ? "10.0.0.1" : "10.0.0.2"),
          peerAddress(i == 0 ? "10.0.0.2" : "10.0.0.1"), matchClock(1000 + seed * 7919ull % 86000000),
          linkClock(&n.now), channel(match, *this, linkClock, seed * 2 + i + 1) {
        host.channel = &channel;
        rx.setLocalAddresses({address});
        match.activateTurnTimer();
        for (int c = 1; c <= 100; ++c)
            targets.push_back(c);
        std::shuffle(targets.begin(), targets.end(), std::mt19937(seed + i));
    }
    MatchState& s() { return test::setUp(match); }

    void joinRequested() override { match.singleClicked(); }
    bool serverListed(std::string_view) override { return true; }
    void addServer(std::string_view, std::string_view) override {}
    void opponentLeft() override { ++left; }
    void opponentGone() override {
        ++gone;
        goneAt = net.now;
    }
    void chatReceived(std::string_view name, std::string_view text) override {
        chatShown.push_back(std::string(name) + ": " + std::string(text));
    }
    void rematchDeclined() override { ++declined; }
    void sendDatagram(std::string_view to, std::span<const unsigned char> bytes) override {
        if (to != peerAddress) ++misaddressed;
        net.send(1 - index, address, bytes);
    }
};

// Creator (side 0) and joiner (side 1); extended says which of them offer
// the extension.
struct Sim {
    SimNet net;
    Side creator, joiner;
    std::int64_t joinedAt = 0, readyAt = -1;
    std::int64_t thinkMs = 20; // from the turn coming to the click
    // From a click to its mark on the other side's own board, ms.
    std::vector<std::int64_t> shotLatencies;

    Sim(unsigned seed, bool creatorExtended, bool joinerExtended)
        : net(seed), creator(net, 0, seed), joiner(net, 1, seed) {
        creator.channel.setOfferExtension(creatorExtended);
        joiner.channel.setOfferExtension(joinerExtended);
        creator.s().netMode = true;
        creator.s().netRole = NetRole::Creator;
    }
    Side& side(int i) { return i == 0 ? creator : joiner; }

    // The joiner presses Join on the creator's line, as the lobby does.
    void join(bool creatorAnnouncedExtension) {
        MatchState& j = joiner.s();
        j.netMode = true;
        j.netRole = NetRole::Joiner;
        joiner.channel.join(creator.address, creatorAnnouncedExtension);
        j.netConnected = true;
        j.opponentIp = creator.address;
        joiner.match.singleClicked();
        joinedAt = net.now;
    }

    // Runs in 5 ms steps until done() or the limit; false at the limit.
    template <class Done> bool runUntil(Done done, std::int64_t limitMs) {
        const std::int64_t end = net.now + limitMs;
        while (net.now < end) {
            if (done()) return true;
            net.now += 5;
            while (!net.inFlight.empty() && net.inFlight.begin()->first.first <= net.now) {
                auto node = net.inFlight.extract(net.inFlight.begin());
                side(node.mapped().to).rx.datagramReceived(node.mapped().bytes, node.mapped().from);
            }
            for (int i = 0; i < 2; ++i) {
                Side& x = side(i);
                if (x.match.nextWakeMs()) { // Single's wait runs on the sim's time
                    x.matchClock.advance(5);
                    x.match.runDue();
                }
                if (net.now % NetChannel::TickMs == 0) x.channel.tick();
                if (net.now % 100 == 0) x.match.completeFleetExchange();
                if (x.host.turnTimerEnabled && net.now % x.host.turnTimerInterval == 0) {
                    const std::size_t marked = x.host.ownMarks;
                    x.match.turnTimerFired();
                    x.channel.pumpMoves();
                    Side& shooter = side(1 - i);
                    if (x.host.ownMarks > marked && !shooter.firedAt.empty()) {
                        shotLatencies.push_back(net.now - shooter.firedAt.front());
                        shooter.firedAt.pop_front();
                    }
                }
                if (readyAt < 0 && creator.s().fightStarted && joiner.s().fightStarted) readyAt = net.now;
                if (x.s().fightStarted && x.s().playerTurn == 1 && net.now >= x.nextShotAt &&
                    !x.targets.empty()) {
                    const int cell = x.targets.back();
                    x.targets.pop_back();
                    x.match.playerShootAt(cellNumberRow(cell), cellNumberColumn(cell));
                    x.firedAt.push_back(net.now);
                    x.nextShotAt = net.now + thinkMs;
                }
            }
        }
        return done();
    }
    bool over() {
        return !creator.s().gameInProgress && !joiner.s().gameInProgress &&
               (creator.s().gameWon || joiner.s().gameWon);
    }
};

} // namespace vtx::test
