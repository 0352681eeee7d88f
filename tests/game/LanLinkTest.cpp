// The LAN protocol's reliable extension: its bytes, the negotiation with a
// program that speaks only the plain protocol, and whole matches between two
// sides over a simulated network that loses, doubles, delays and reorders.

#include "FakeMatchHost.h"
#include "LanSim.h"
#include "tests/support/MatchSetup.h"

#include "game/FleetBlock.h"
#include "game/NetChannel.h"
#include "game/NetExtension.h"
#include "game/NetMessage.h"
#include "game/NetReceiver.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace vtx {
namespace {

using test::FakeMatchHost;
using test::Side;
using test::Sim;
using test::StepClock;

using Bytes = std::vector<unsigned char>;

std::string hex(const Bytes& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

TEST(NetExtension, BytesOfTheTagsAndFrames) {
    EXPECT_EQ(net::taggedPresence("Quentin"), "SYS$$Present: Quentin       ~VTX1");
    EXPECT_EQ(net::taggedPresence("A name longer than 14"), "SYS$$Present: A name longer ~VTX1");
    EXPECT_TRUE(net::presenceTagged("SYS$$Present: Quentin       ~VTX1"));
    EXPECT_FALSE(net::presenceTagged("SYS$$Present: Quentin"));
    EXPECT_FALSE(net::presenceTagged("SYS$$Present: ~VTX1 as a name")); // only at its place
    // The whole name in UTF-8 after the tag, for a lobby of this version.
    const std::string cyrillic = "SYS$$Present: ????          ~VTX1Анна";
    EXPECT_EQ(net::taggedPresence("????", "Анна"), cyrillic);
    EXPECT_EQ(net::presenceUtf8Name(cyrillic), "Анна");
    std::string longName;
    for (int i = 0; i < 40; ++i)
        longName += "Ж"; // two bytes each: cut at a letter's end
    EXPECT_EQ(net::presenceUtf8Name(net::taggedPresence("x", longName))->size(), net::PresenceUtf8Bytes);
    for (const char* bad :
         {"SYS$$Present: Quentin", "SYS$$Present: Quentin       ~VTX1",
          "SYS$$Present: Quentin       ~VTX1\xc0\xaf", "SYS$$Present: Quentin       ~VTX1\xed\xa0\x80"})
        EXPECT_FALSE(net::presenceUtf8Name(bad)) << bad;

    EXPECT_EQ(net::taggedJoin(0x00c0ffee), "SYS$$Joined :Quibby~VTX1:00c0ffee");
    EXPECT_EQ(net::joinSession("SYS$$Joined :Quibby~VTX1:00c0ffee"), 0x00c0ffeeu);
    for (const char* plain :
         {"SYS$$Joined :Quibby", "SYS$$Joined :Quibby~VTX1:00000000", "SYS$$Joined :Quibby~VTX1:00C0FFEE",
          "SYS$$Joined :Quibby~VTX1:00c0ffee0", "SYS$$Joined :Quibby~VTX2:00c0ffee"})
        EXPECT_FALSE(net::joinSession(plain)) << plain;

    net::Frame move{net::FrameKind::Move, 0x01020304, 7, 5, 0x80000001, {3, 10}};
    const Bytes encoded = net::encodeFrame(move);
    EXPECT_EQ(hex(encoded), "5654587e"
                            "01"
                            "4d"
                            "04030201"
                            "07000000"
                            "05000000"
                            "01000080"
                            "030a");
    const auto decoded = net::decodeFrame(encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->session, 0x01020304u);
    EXPECT_EQ(decoded->seq, 7u);
    EXPECT_EQ(decoded->ack, 5u);
    EXPECT_EQ(decoded->ackBits, 0x80000001u);
    EXPECT_EQ(decoded->payload, (Bytes{3, 10}));
    EXPECT_EQ(net::encodeFrame({net::FrameKind::Fleet, 1, 1, 0, 0, Bytes(700, '0')}).size(), 722u);

    // Refused: another version, kind or length, session 0, an
    // acknowledgement with a number or a message without one.
    const auto changed = [&](std::size_t at, unsigned char value) {
        Bytes b = encoded;
        b[at] = value;
        return b;
    };
    Bytes longer = encoded;
    longer.push_back(0);
    const std::vector<Bytes> bad = {changed(4, 2),
                                    changed(5, 'Z'),
                                    changed(5, 'X'),
                                    Bytes(encoded.begin(), encoded.end() - 1),
                                    longer,
                                    net::encodeFrame({net::FrameKind::Move, 0, 7, 0, 0, {3, 10}}),
                                    net::encodeFrame({net::FrameKind::Ack, 1, 7, 0, 0, {}}),
                                    net::encodeFrame({net::FrameKind::Leave, 1, 0, 0, 0, {}})};
    for (const Bytes& b : bad)
        EXPECT_FALSE(net::decodeFrame(b)) << hex(b);
    // No frame contains a marker of the plain protocol: a plain side that
    // ever saw one would find nothing in it.
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()).find("SYS$$"), std::string::npos);
}

// Everything one side sends, as "address|bytes".
struct Recorder final : INetReceiverHost {
    std::vector<std::string> sent;
    int joins = 0, left = 0, gone = 0;
    std::function<void()> onJoin;
    void joinRequested() override {
        ++joins;
        if (onJoin) onJoin();
    }
    bool serverListed(std::string_view) override { return true; }
    void addServer(std::string_view, std::string_view) override {}
    void opponentLeft() override { ++left; }
    void opponentGone() override { ++gone; }
    void sendDatagram(std::string_view to, std::span<const unsigned char> bytes) override {
        sent.push_back(std::string(to) + "|" + std::string(bytes.begin(), bytes.end()));
    }
};

// The fleet block written out by hand from its documented layout.
std::string fleetBytesByHand(const Fleet& fleet) {
    std::string out;
    const auto int32 = [&](std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            out += char(std::uint32_t(v) >> (8 * i) & 0xff);
    };
    for (const Ship& ship : fleet) {
        int32(ship.size);
        int32(ship.sunk);
        for (int v : ship.cols)
            int32(v);
        for (int v : ship.rows)
            int32(v);
        for (int v : ship.deckState)
            int32(v);
        out += char(ship.horizontal);
        out += std::string(3, '\0');
    }
    return out;
}

TEST(NetExtension, ChatRematchAndNextMatchFramesKeepTheirBounds) {
    // A chat line names its sender: length, name, text.
    EXPECT_EQ(hex(net::encodeChat("Анна", "hi")), "08d090d0bdd0bdd0b06869");
    EXPECT_EQ(net::chatText("  a\tb\x01"
                            "c\n "),
              "abc"); // controls left out, blanks trimmed
    EXPECT_EQ(net::chatText("\t\n"), "");
    // DEL goes as the other control characters go, from a line and from a
    // presence's name, and the blank before it with it.
    EXPECT_EQ(net::chatText("a\x7f"
                            "b \x7f"),
              "ab");
    EXPECT_EQ(net::presenceUtf8Name(net::taggedPresence("Bob") + "Bo\x7f"
                                                                 "b \x7f"),
              "Bob");
    std::string letters;
    for (int i = 0; i < 150; ++i)
        letters += "Ж";
    EXPECT_EQ(net::chatText(letters).size(), net::ChatTextBytes); // cut at a letter's end
    EXPECT_EQ(net::chatText("x" + letters).size(), net::ChatTextBytes - 1);
    const auto line = net::decodeChat(net::encodeChat("Quentin", "Good shot!"));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->name + ": " + line->text, "Quentin: Good shot!");
    for (const Bytes& bad :
         {Bytes{0, 'a'}, Bytes{65, 'a'}, Bytes{1, 'a'}, Bytes{1, 'a', 0xc0, 0xaf}, Bytes{1, 'a', 'b', 7}})
        EXPECT_FALSE(net::decodeChat(bad)) << hex(bad);

    // Lengths: C 22 + 3..265, R 23 with 0 or 1, N 26; anything else is no frame.
    const auto frameOf = [](net::FrameKind kind, std::size_t payloadBytes, unsigned char fill = 'a') {
        return net::encodeFrame({kind, 9, 1, 0, 0, Bytes(payloadBytes, fill)});
    };
    EXPECT_EQ(hex(net::encodeFrame({net::FrameKind::Rematch, 0x01020304, 3, 2, 0, {1}})),
              "5654587e015204030201030000000200000000000000"
              "01");
    EXPECT_EQ(hex(net::encodeFrame({net::FrameKind::NextMatch, 0x01020304, 4, 2, 0, {2, 0, 0, 0}})),
              "5654587e014e04030201040000000200000000000000"
              "02000000");
    for (std::size_t n : {3u, 265u})
        EXPECT_TRUE(net::decodeFrame(frameOf(net::FrameKind::Chat, n, 1))) << n;
    for (std::size_t n : {0u, 2u, 266u})
        EXPECT_FALSE(net::decodeFrame(frameOf(net::FrameKind::Chat, n, 1))) << n;
    EXPECT_TRUE(net::decodeFrame(frameOf(net::FrameKind::Rematch, 1, 0)));
    EXPECT_FALSE(net::decodeFrame(frameOf(net::FrameKind::Rematch, 1, 2)));
    EXPECT_FALSE(net::decodeFrame(frameOf(net::FrameKind::Rematch, 2, 1)));
    EXPECT_TRUE(net::decodeFrame(frameOf(net::FrameKind::NextMatch, 4)));
    EXPECT_FALSE(net::decodeFrame(frameOf(net::FrameKind::NextMatch, 3)));
}

TEST(NetChannel, APlainMatchSendsThePlainBytes) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    Recorder out;
    NetChannel channel(m, out, clock, 1);
    m.arrangeFleet();
    test::setUp(m).ownFleet = m.state().workFleet;
    test::setUp(m).ownField = m.state().workField;

    channel.join("10.0.0.2", false);
    test::setUp(m).opponentIp = "10.0.0.2"; // as the lobby sets it after the request
    channel.sendFleet();
    channel.sendShot(3, 7);
    channel.sendShot(10, 10);
    channel.sendShot(1, 10);
    channel.sendLeave();
    const std::string field(m.state().ownField.begin(), m.state().ownField.end());
    EXPECT_EQ(out.sent, (std::vector<std::string>{
                            "10.0.0.2|SYS$$Joined :Quibby",
                            "10.0.0.2|SYS$$Info:",
                            "10.0.0.2|" + fleetBytesByHand(m.state().ownFleet),
                            "10.0.0.2|SYS$$Field:",
                            "10.0.0.2|" + field,
                            "10.0.0.2|SYS$$Move:3 7 ",
                            "10.0.0.2|SYS$$Move:1010",
                            "10.0.0.2|SYS$$Move:1 10",
                            "10.0.0.2|SYS$$Exit:",
                        }));
    EXPECT_EQ(field.size(), 100u);
    EXPECT_FALSE(channel.needsTicks()); // a plain match has no timers
}

// What a player of each side sees of one board: the same decks still
// intact, the same decks hit, the same ships sunk; every shot fired marked
// once on the other side. (The owner's grid marks a sunk ship's cells as
// water around it, the shooter's keeps them sunk: the fleets say which.)
void expectSidesAgree(Side& shooter, Side& target) {
    for (std::size_t i = 0; i < 100; ++i)
        ASSERT_EQ(shooter.s().enemyField[i] == CellDeck, target.s().ownField[i] == CellDeck) << i;
    for (std::size_t n = 0; n < 10; ++n) {
        ASSERT_EQ(shooter.s().enemyFleet[n].sunk, target.s().ownFleet[n].sunk);
        for (std::size_t k = 0; k < 4; ++k)
            ASSERT_EQ(shooter.s().enemyFleet[n].deckState[k], target.s().ownFleet[n].deckState[k]);
    }
    ASSERT_EQ(std::size_t(shooter.s().playerShots), target.host.count("MarkShot 2 "));
}

TEST(LanSimulation, TheFourCombinationsOfExtendedAndPlainSidesNegotiate) {
    for (const bool creatorExtended : {true, false})
        for (const bool joinerExtended : {true, false}) {
            SCOPED_TRACE(std::string("creator ") + (creatorExtended ? "extended" : "plain") + ", joiner " +
                         (joinerExtended ? "extended" : "plain"));
            Sim sim(11, creatorExtended, joinerExtended);
            sim.net.jitterMs = 0; // the plain protocol needs datagrams in order
            // The joiner tags its request only for a creator that announced it.
            sim.join(creatorExtended);
            ASSERT_TRUE(sim.runUntil([&] { return sim.over(); }, 120000));
            const bool extended = creatorExtended && joinerExtended;
            EXPECT_EQ(sim.creator.channel.extended(), extended);
            EXPECT_EQ(sim.joiner.channel.extended(), extended);
            expectSidesAgree(sim.creator, sim.joiner);
            expectSidesAgree(sim.joiner, sim.creator);
            EXPECT_EQ(sim.creator.host.count("ScoreWindow"), 0u);
            EXPECT_EQ(sim.creator.left + sim.joiner.left + sim.creator.gone + sim.joiner.gone, 0);
        }
}

// What a plain side receives from an extended one is exactly the plain
// protocol: the creator's recorder shows the joiner's bytes unchanged.
TEST(LanSimulation, APlainPeerSeesOnlyPlainBytes) {
    for (const bool plainIsCreator : {true, false}) {
        Sim sim(5, !plainIsCreator, plainIsCreator);
        sim.net.jitterMs = 0;
        const Side& plain = plainIsCreator ? sim.creator : sim.joiner;
        sim.join(!plainIsCreator);
        ASSERT_TRUE(sim.runUntil([&] { return sim.over(); }, 60000));
        const auto& heard = sim.net.sentTo[plain.index];
        ASSERT_GT(heard.size(), 20u);
        for (const std::string& d : heard) {
            const bool plainText = d == "SYS$$Joined :Quibby" || d == "SYS$$Info:" || d == "SYS$$Field:" ||
                                   (d.rfind("SYS$$Move:", 0) == 0 && d.size() == 14);
            EXPECT_TRUE(plainText || d.size() == 600 || d.size() == 100) << d;
        }
    }
}

TEST(LanSimulation, AThousandMatchesAtThirtyPercentLossFinishAndAgree) {
    int finished = 0;
    std::uint64_t datagrams = 0;
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        Sim sim(seed, true, true);
        sim.net.loss = 0.30;
        sim.net.duplicate = 0.05;
        sim.net.reorder = 0.25;
        sim.join(true);
        if (!sim.runUntil([&] { return sim.over(); }, 600000)) {
            ADD_FAILURE() << "seed " << seed << " did not finish";
            continue;
        }
        ++finished;
        datagrams += sim.net.sent;
        expectSidesAgree(sim.creator, sim.joiner);
        expectSidesAgree(sim.joiner, sim.creator);
        ASSERT_EQ(sim.creator.left + sim.joiner.left + sim.creator.gone + sim.joiner.gone, 0) << seed;
        // The winner's last shot still reaches the loser after the winner's
        // match is over; once both players go back to the menu, both links
        // fall quiet.
        sim.creator.rematch.decline();
        sim.joiner.rematch.decline();
        ASSERT_TRUE(sim.runUntil(
            [&] { return !sim.creator.channel.needsTicks() && !sim.joiner.channel.needsTicks(); }, 30000))
            << seed;
    }
    EXPECT_EQ(finished, 1000);
    RecordProperty("datagrams_per_match", std::to_string(datagrams / 1000));
}

TEST(LanSimulation, ASilentOpponentIsReportedOnceAfterTheSilenceLimit) {
    // In the battle: the joiner's computer vanishes.
    Sim sim(3, true, true);
    sim.join(true);
    ASSERT_TRUE(
        sim.runUntil([&] { return sim.creator.s().fightStarted && sim.joiner.s().fightStarted; }, 10000));
    sim.net.cut = true;
    const std::int64_t cutAt = sim.net.now;
    sim.runUntil([] { return false; }, 30000);
    EXPECT_EQ(sim.creator.gone, 1);
    EXPECT_GE(sim.creator.goneAt - cutAt, NetChannel::SilenceLimitMs - 500);
    EXPECT_LE(sim.creator.goneAt - cutAt, NetChannel::SilenceLimitMs + 100);
    EXPECT_FALSE(sim.creator.channel.needsTicks());
    EXPECT_TRUE(sim.creator.s().gameInProgress); // the player leaves with Exit, as after a leave

    // A creator that never answers the join request.
    Sim lonely(4, true, true);
    lonely.net.cut = true;
    lonely.join(true);
    lonely.runUntil([] { return false; }, 12000);
    EXPECT_EQ(lonely.joiner.gone, 1);
    EXPECT_GT(lonely.net.sent, 8u); // the request was repeated

    // Exit is no silence: the other side is told it left, never that it is gone.
    Sim leaving(6, true, true);
    leaving.net.loss = 0.3;
    leaving.join(true);
    ASSERT_TRUE(leaving.runUntil([&] { return leaving.joiner.s().fightStarted; }, 30000));
    leaving.joiner.match.exitClicked();
    leaving.runUntil([] { return false; }, 25000);
    EXPECT_EQ(leaving.creator.left, 1);
    EXPECT_EQ(leaving.creator.gone + leaving.joiner.gone, 0);
}

TEST(LanSimulation, TwoMatchesInARowThroughPlayAgainWithChatBothWays) {
    for (unsigned seed = 31; seed <= 60; ++seed) {
        Sim sim(seed, true, true);
        sim.net.loss = 0.3;
        sim.net.reorder = 0.2;
        sim.join(true);
        ASSERT_TRUE(sim.runUntil([&] { return sim.joiner.chat.canSend(); }, 30000)) << seed;
        // From the join on, while the fleets are still on their way.
        EXPECT_EQ(sim.joiner.chat.send("Анна", " Привет!\n"), "Привет!");
        ASSERT_TRUE(sim.runUntil([&] { return sim.over(); }, 300000)) << seed;
        Side& loser = sim.creator.s().gameWon ? sim.joiner : sim.creator;
        ASSERT_TRUE(sim.runUntil([&] { return loser.rematch.possible(); }, 1000)) << seed;
        EXPECT_FALSE(sim.creator.rematch.wanted() || sim.joiner.rematch.peerWants());
        loser.rematch.want();
        EXPECT_TRUE(sim.creator.chat.send("Quentin", "Once more?"));
        ASSERT_TRUE(sim.runUntil(
            [&] { return (&loser == &sim.creator ? sim.joiner : sim.creator).rematch.peerWants(); }, 30000))
            << seed;
        EXPECT_EQ(sim.creator.s().matchesStarted + sim.joiner.s().matchesStarted, 2);
        (&loser == &sim.creator ? sim.joiner : sim.creator).rematch.want();
        sim.creator.nextShotAt = sim.joiner.nextShotAt = 1 << 30;
        ASSERT_TRUE(
            sim.runUntil([&] { return sim.creator.s().fightStarted && sim.joiner.s().fightStarted; }, 60000))
            << seed;
        EXPECT_EQ(loser.s().playerTurn, 1) << seed; // the loser opens the second match
        EXPECT_EQ(sim.creator.rematch.matchNumber(), 2u);
        EXPECT_EQ(sim.joiner.rematch.matchNumber(), 2u);
        sim.creator.nextShotAt = sim.joiner.nextShotAt = 0;
        for (Side* side : {&sim.creator, &sim.joiner}) {
            side->host.clear(); // the marks of the first match
            side->targets.resize(100);
            std::iota(side->targets.begin(), side->targets.end(), 1);
            std::shuffle(side->targets.begin(), side->targets.end(), std::mt19937(seed));
        }
        ASSERT_TRUE(sim.runUntil([&] { return sim.over(); }, 300000)) << seed;
        expectSidesAgree(sim.creator, sim.joiner);
        expectSidesAgree(sim.joiner, sim.creator);
        EXPECT_EQ(sim.creator.chatShown, std::vector<std::string>{"Анна: Привет!"});
        EXPECT_EQ(sim.joiner.chatShown, std::vector<std::string>{"Quentin: Once more?"});
        EXPECT_EQ(sim.creator.s().matchesStarted + sim.joiner.s().matchesStarted, 4);
        // This time the joiner goes back to the menu: the creator is told, in
        // words, once, and nobody is reported gone.
        ASSERT_TRUE(sim.runUntil([&] { return sim.joiner.rematch.possible(); }, 1000)) << seed;
        sim.creator.rematch.want();
        sim.joiner.rematch.decline();
        sim.runUntil([] { return false; }, 25000);
        EXPECT_EQ(sim.creator.declined, 1) << seed;
        EXPECT_FALSE(sim.creator.rematch.possible());
        EXPECT_EQ(sim.creator.gone + sim.joiner.gone + sim.creator.declined + sim.joiner.declined, 1);
        // Late copies after the session's end are strangers; nothing else is dropped.
        NetDrops drops = sim.creator.rx.drops();
        drops += sim.joiner.rx.drops();
        EXPECT_EQ(drops.total(), drops[DropReason::Stranger]) << drops.summary();
    }
}

// Frames forged from the opponent's address with the session under way.
Bytes forged(net::FrameKind kind, std::uint32_t session, std::uint32_t seq, std::uint32_t ack,
             std::uint32_t bits, Bytes payload = {}) {
    return net::encodeFrame({kind, session, seq, ack, bits, std::move(payload)});
}

TEST(LanHardening, AcknowledgementsOfMessagesNeverSentAreIgnored) {
    // A lone link: two messages out, nothing real comes back.
    std::vector<Bytes> out;
    ReliableLink link([&](const Bytes& b) { out.push_back(b); });
    link.open(7, 0);
    link.send(net::FrameKind::Move, {1, 1}, 0);
    link.send(net::FrameKind::Move, {1, 2}, 0);
    const std::uint32_t bogus[][2] = {{3, 0},          {1000, 0}, {0xFFFFFFFF, 0},
                                      {0xFFFFFFFE, 1}, {0, 2},    {1, 1u << 31}};
    for (const auto& [ack, bits] : bogus)
        EXPECT_TRUE(link.receive({net::FrameKind::Ack, 7, 0, ack, bits, {}}, 10).empty());
    EXPECT_EQ(link.drops()[DropReason::BogusAck], 6u);
    EXPECT_EQ(link.unacknowledged(), 2u);
    EXPECT_FALSE(link.heard());
    link.tick(300);
    EXPECT_EQ(link.counters().retransmissions, 2u);
    link.receive({net::FrameKind::Ack, 7, 0, 2, 0, {}}, 310); // the real one still counts
    EXPECT_EQ(link.unacknowledged(), 0u);

    // In a match, lies right after each shot of the creator: it finishes.
    Sim sim(21, true, true);
    sim.net.loss = 0.2;
    sim.join(true);
    std::uint32_t lastSeen = 0;
    std::uint64_t lies = 0;
    ASSERT_TRUE(sim.runUntil(
        [&] {
            const ReliableLink& l = sim.creator.channel.link();
            if (l.isOpen() && l.lastSent() != lastSeen) {
                lastSeen = l.lastSent();
                for (const auto& [ack, bits] : {std::pair{lastSeen + 1, 0u},
                                                {lastSeen + 5000, 0u},
                                                {0xFFFFFFFFu, 0u},
                                                {lastSeen - 1, 1u}}) {
                    sim.creator.rx.datagramReceived(forged(net::FrameKind::Ack, l.session(), 0, ack, bits),
                                                    sim.joiner.address);
                    ++lies;
                }
            }
            return sim.over();
        },
        300000));
    expectSidesAgree(sim.creator, sim.joiner);
    EXPECT_GT(lies, 20u);
    EXPECT_EQ(sim.creator.rx.drops()[DropReason::BogusAck], lies);
}

TEST(LanHardening, PlainMatchMessagesChangeNothingInAnExtendedMatch) {
    Sim sim(22, true, true);
    sim.join(true);
    sim.creator.nextShotAt = 1 << 30; // nobody shoots yet
    ASSERT_TRUE(
        sim.runUntil([&] { return sim.creator.s().fightStarted && sim.joiner.s().fightStarted; }, 10000));
    const MatchState before = sim.joiner.s();
    const std::string blocks[] = {"SYS$$Move:3 7 ",       "SYS$$Exit:",  "SYS$$Info:",
                                  std::string(600, '\0'), "SYS$$Field:", std::string(100, '0')};
    for (const char* from : {"10.0.0.1", "10.0.0.9"})
        for (const std::string& text : blocks)
            sim.joiner.rx.datagramReceived(Bytes(text.begin(), text.end()), from);
    sim.runUntil([] { return false; }, 200);
    EXPECT_EQ(sim.joiner.s().playerTurn, before.playerTurn);
    EXPECT_EQ(sim.joiner.s().ownField, before.ownField);
    EXPECT_EQ(sim.joiner.s().enemyFleet, before.enemyFleet);
    EXPECT_FALSE(sim.joiner.s().netMovePending || sim.joiner.s().expectInfo || sim.joiner.s().expectField);
    EXPECT_EQ(sim.joiner.left, 0);
    EXPECT_EQ(sim.joiner.rx.drops()[DropReason::PlainInExtended], 8u);
    sim.creator.nextShotAt = 0;
    ASSERT_TRUE(sim.runUntil([&] { return sim.over(); }, 120000));
}

TEST(LanHardening, AShotOutOfTurnASecondFleetAndAShotOffTheGridChangeNothing) {
    Sim sim(23, true, true);
    sim.net.loss = 0.2;
    sim.join(true);
    sim.creator.nextShotAt = 1 << 30;
    ASSERT_TRUE(
        sim.runUntil([&] { return sim.creator.s().fightStarted && sim.joiner.s().fightStarted; }, 30000));
    const MatchState before = sim.creator.s();
    // The joiner's own link numbers them, so they arrive in sequence.
    sim.joiner.channel.sendShot(1, 1);
    sim.joiner.channel.sendFleet();
    sim.joiner.channel.sendShot(11, 0);
    ASSERT_TRUE(sim.runUntil([&] { return sim.joiner.channel.link().unacknowledged() == 0; }, 30000));
    EXPECT_EQ(sim.creator.s().playerTurn, 1);
    EXPECT_EQ(sim.creator.s().ownField, before.ownField);
    EXPECT_EQ(sim.creator.s().enemyFleet, before.enemyFleet);
    EXPECT_EQ(sim.creator.host.count("MarkShot 2 "), 0u);
    const NetDrops drops = sim.creator.rx.drops();
    EXPECT_EQ(drops[DropReason::OutOfTurn], 1u);
    EXPECT_EQ(drops[DropReason::FleetAgain], 1u);
    EXPECT_EQ(drops[DropReason::OffGrid], 1u);
    sim.creator.nextShotAt = 0;
    ASSERT_TRUE(sim.runUntil([&] { return sim.over(); }, 300000));
    expectSidesAgree(sim.creator, sim.joiner);
    expectSidesAgree(sim.joiner, sim.creator);
}

TEST(LanHardening, BadChatAFloodAndUnaskedRematchesAreDroppedAndCounted) {
    Sim sim(41, true, true);
    sim.join(true);
    sim.creator.nextShotAt = 1 << 30;
    ASSERT_TRUE(
        sim.runUntil([&] { return sim.creator.s().fightStarted && sim.joiner.s().fightStarted; }, 10000));
    const std::uint32_t session = sim.joiner.channel.link().session();
    const std::uint32_t sent = sim.joiner.channel.link().lastSent();
    std::uint32_t seq = sim.creator.channel.link().lastSent();
    const auto forge = [&](net::FrameKind kind, Bytes payload) {
        sim.joiner.rx.datagramReceived(forged(kind, session, ++seq, sent, 0, std::move(payload)), "10.0.0.1");
    };
    forge(net::FrameKind::Chat, {1, 'Q', 'b', 0x1b, 'c'});   // a control character
    forge(net::FrameKind::Chat, {1, 'Q', 0xed, 0xa0, 0x80}); // no UTF-8
    // Frames of a valid length, but a name of 65 bytes, a line of 201.
    Bytes longName(1, 65);
    longName.insert(longName.end(), 65, 'n');
    longName.push_back('x');
    forge(net::FrameKind::Chat, longName);
    Bytes longLine{1, 'Q'};
    longLine.insert(longLine.end(), 201, 'x');
    forge(net::FrameKind::Chat, longLine);
    for (int i = 0; i < 12; ++i) // ten pass at once, as if held back behind a lost one
        forge(net::FrameKind::Chat, {1, 'Q', 'x'});
    // Then the allowance refills at five lines a second: the next line
    // passes 200 ms after the burst, not sooner.
    sim.net.now += 199;
    forge(net::FrameKind::Chat, {1, 'Q', 'y'});
    sim.net.now += 1;
    forge(net::FrameKind::Chat, {1, 'Q', 'z'});
    forge(net::FrameKind::NextMatch, {2, 0, 0, 0}); // in the middle of a match
    forge(net::FrameKind::Chat, {1, 'Q'});          // too short to be a frame at all
    sim.runUntil([] { return false; }, 200);
    const NetDrops drops = sim.joiner.rx.drops();
    EXPECT_EQ(drops[DropReason::BadChat], 4u);
    EXPECT_EQ(drops[DropReason::ChatFlood], 3u);
    EXPECT_EQ(drops[DropReason::RematchUnasked], 1u);
    EXPECT_EQ(drops[DropReason::Malformed], 1u);
    ASSERT_EQ(sim.joiner.chatShown.size(), 11u);
    EXPECT_EQ(sim.joiner.chatShown.back(), "Q: z");
    EXPECT_EQ(sim.joiner.s().matchesStarted, 1);
    // A side sends no more than five lines a second either.
    int taken = 0;
    for (int i = 0; i < 7; ++i)
        taken += sim.joiner.chat.send("J", "spam") ? 1 : 0;
    EXPECT_EQ(taken, 5);
}

TEST(LanHardening, EveryHeldMessageIsReportedAndNoneBeyond) {
    std::vector<Bytes> out;
    ReliableLink link([&](const Bytes& b) { out.push_back(b); });
    link.open(7, 0);
    const std::uint32_t last = ReliableLink::WindowMessages;
    for (std::uint32_t seq = 2; seq <= last + 1; ++seq)
        link.receive({net::FrameKind::Move, 7, seq, 0, 0, {1, 1}}, 0);
    const auto answer = net::decodeFrame(out.back());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->ack, 0u);
    EXPECT_EQ(answer->ackBits, 0xFFFFFFFFu);               // messages 2..33, all held
    EXPECT_EQ(link.drops()[DropReason::BeyondWindow], 1u); // 34 was answered, not held
    // Their sender takes 2..33 off its outbox at once, on the selective bits
    // alone; only 1 and 34 are retried.
    ReliableLink sender([](const Bytes&) {});
    sender.open(7, 0);
    for (std::uint32_t seq = 1; seq <= last + 1; ++seq)
        sender.send(net::FrameKind::Move, {1, 1}, 0);
    sender.receive(*answer, 10);
    EXPECT_EQ(sender.unacknowledged(), 2u);
    sender.tick(1000);
    EXPECT_EQ(sender.counters().retransmissions, 2u);
    EXPECT_EQ(link.receive({net::FrameKind::Move, 7, 1, 0, 0, {1, 1}}, 0).size(), std::size_t(last));
}

} // namespace
} // namespace vtx
