// The LAN wire format and the receiving side: exact bytes of every message,
// the receive steps in each state, and what is refused.

#include "FakeMatchHost.h"
#include "tests/support/MatchSetup.h"

#include "game/FleetBlock.h"
#include "game/NetExtension.h"
#include "game/NetMessage.h"
#include "game/NetReceiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vtx {
namespace {

using test::FakeMatchHost;
using test::StepClock;

std::vector<unsigned char> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// The lobby and message window as the receiver sees them.
struct FakeLobby final : INetReceiverHost {
    std::vector<std::string> lines; // address of each server line
    std::vector<std::string> texts;
    int joins = 0;
    int left = 0;
    void joinRequested() override { ++joins; }
    bool serverListed(std::string_view ip) override {
        return std::find(lines.begin(), lines.end(), ip) != lines.end();
    }
    void addServer(std::string_view ip, std::string_view text) override {
        lines.emplace_back(ip);
        texts.emplace_back(text);
    }
    void opponentLeft() override { ++left; }
    void opponentGone() override { ++gone; }
    void sendDatagram(std::string_view to, std::span<const unsigned char> bytes) override {
        sent.emplace_back(std::string(to) + " " + std::string(bytes.begin(), bytes.end()));
    }
    int gone = 0;
    std::vector<std::string> sent; // "address bytes"
};

TEST(NetMessage, ExactBytesOfEveryMessage) {
    EXPECT_EQ(net::presenceMessage("Quentin"), "SYS$$Present: Quentin");
    EXPECT_EQ(net::JoinRequest.size(), 19u);
    EXPECT_EQ(net::moveMessage(3, 7), "SYS$$Move:3 7 ");
    EXPECT_EQ(net::moveMessage(10, 10), "SYS$$Move:1010");
    EXPECT_EQ(net::moveMessage(1, 10), "SYS$$Move:1 10");
    for (const std::string& text :
         {net::moveMessage(3, 7), net::moveMessage(10, 10), net::moveMessage(1, 10)})
        EXPECT_EQ(text.size(), 14u);
    EXPECT_EQ(net::InfoMarker.size(), 10u);
    EXPECT_EQ(net::FieldMarker.size(), 11u);
    EXPECT_EQ(net::ExitMarker.size(), 10u);
}

TEST(NetMessage, ShotsWithBadNumbersAreDropped) {
    const auto move = net::parseMove("SYS$$Move:1010");
    ASSERT_TRUE(move);
    EXPECT_EQ(move->row, 10);
    EXPECT_EQ(move->column, 10);
    EXPECT_EQ(net::parseMove("SYS$$Move: 3 7")->row, 3); // blanks on either side are trimmed
    for (const char* bad :
         {"SYS$$Move:0 5 ", "SYS$$Move:5 11", "SYS$$Move:x 5 ", "SYS$$Move:5 ",
          "SYS$$Move:", "SYS$$Move:-1 5", "SYS$$Move:5  +", "SYS$$Move:99 1", "SYS$$Move:  4 "})
        EXPECT_FALSE(net::parseMove(bad)) << bad;
}

TEST(NetMessage, OnlyALegalFreshFleetAndItsOwnGridPass) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    m.arrangeFleet();
    const Fleet fleet = m.state().workFleet;
    const Field field = m.state().workField;
    EXPECT_EQ(net::fleetProblem(fleet), "");
    EXPECT_EQ(net::fieldProblem(field, fleet), "");

    const auto broken = [&](auto change) {
        Fleet f = fleet;
        change(f);
        return net::fleetProblem(f);
    };
    EXPECT_NE(broken([](Fleet& f) { f[0].size = 3; }), "");
    EXPECT_NE(broken([](Fleet& f) { f[6].sunk = 1; }), "");
    EXPECT_NE(broken([](Fleet& f) { f[1].deckState[2] = DeckDamaged; }), "");
    EXPECT_NE(broken([](Fleet& f) { f[0].rows[0] = 0; }), "");
    EXPECT_NE(broken([](Fleet& f) { f[0].cols[3] = 2147483647; }), "");
    EXPECT_NE(broken([](Fleet& f) { f[0].horizontal = 7; }), "");
    EXPECT_NE(broken([](Fleet& f) {
                  std::swap(f[1].rows[0], f[1].rows[2]), std::swap(f[1].cols[0], f[1].cols[2]);
              }),
              "");
    // One-deck ship 10 moved onto, then next to, ship 1's first deck.
    EXPECT_NE(broken([](Fleet& f) { f[9].rows[0] = f[0].rows[0], f[9].cols[0] = f[0].cols[0]; }), "");
    EXPECT_NE(broken([](Fleet& f) {
                  f[9].rows[0] = f[0].rows[0] + (f[0].rows[0] < 10 ? 1 : -1);
                  f[9].cols[0] = f[0].cols[0];
              }),
              "");

    Field other = field;
    other[std::size_t(std::find(other.begin(), other.end(), CellWater) - other.begin())] = CellDeck;
    EXPECT_NE(net::fieldProblem(other, fleet), "");
    other = field;
    other[0] = 'x';
    EXPECT_NE(net::fieldProblem(other, fleet), "");
}

// One side's receiving end with a match in the lobby or in a LAN match.
class Receive : public ::testing::Test {
protected:
    StepClock clock;
    FakeMatchHost host{&clock};
    Match m{host, clock};
    MatchState& s = test::setUp(m);
    FakeLobby lobby;
    NetChannel channel{m, lobby, clock, 1};
    NetReceiver rx{m, lobby, channel};
    Fleet peerFleet{};
    Field peerField{};

    void SetUp() override {
        rx.setLocalAddresses({"10.77.0.1"});
        s.netMode = true;
        m.arrangeFleet();
        peerFleet = s.workFleet;
        peerField = s.workField;
    }
    void connectTo(const std::string& ip) {
        s.netConnected = true;
        s.opponentIp = ip;
    }
    void text(std::string_view t, const char* from = "10.77.0.2") {
        const auto b = bytesOf(t);
        rx.datagramReceived(b, from);
    }
    void block(std::span<const unsigned char> b, const char* from = "10.77.0.2") {
        rx.datagramReceived(b, from);
    }
    void sendExchange(const char* from = "10.77.0.2") {
        text(net::InfoMarker, from);
        block(encodeFleet(peerFleet), from);
        text(net::FieldMarker, from);
        block(encodeField(peerField), from);
    }
};

TEST_F(Receive, IgnoredOutsideNetworkModeAndFromThisComputer) {
    s.netMode = false;
    text("SYS$$Present: Bob");
    s.netMode = true;
    text("SYS$$Present: Me", "10.77.0.1"); // our own broadcast coming back
    EXPECT_TRUE(lobby.lines.empty());
    text("xxSYS$$Present: Bob"); // a marker counts anywhere in the text
    text("SYS$$Present: Bob");   // already listed
    EXPECT_EQ(lobby.lines, std::vector<std::string>{"10.77.0.2"});
}

TEST_F(Receive, JoinRequestStartsAMatchOnlyAtACreator) {
    s.netRole = NetRole::Joiner;
    text(net::JoinRequest);
    EXPECT_EQ(lobby.joins, 0);
    s.netRole = NetRole::Creator;
    text(net::JoinRequest, "10.77.0.9");
    EXPECT_EQ(lobby.joins, 1);
    EXPECT_TRUE(s.netConnected);
    EXPECT_EQ(s.opponentIp, "10.77.0.9");
}

TEST_F(Receive, TheExchangeReachesTheMatchWhole) {
    connectTo("10.77.0.2");
    sendExchange();
    EXPECT_TRUE(s.fleetReceived);
    EXPECT_EQ(s.enemyFleet, peerFleet);
    EXPECT_EQ(s.enemyField, peerField);
    EXPECT_EQ(host.count("PositionEnemyShipModels"), 1u);
    EXPECT_EQ(rx.dropped(), 0u);
}

TEST_F(Receive, APresenceOfAThirdLobbyBetweenAnnouncementAndBlockIsNoBlock) {
    connectTo("10.77.0.2");
    text(net::InfoMarker);
    text("SYS$$Present: Carol", "10.77.0.3");
    block(encodeFleet(peerFleet));
    text(net::FieldMarker);
    text("SYS$$Present: Carol", "10.77.0.3");
    block(encodeField(peerField));
    EXPECT_EQ(s.enemyFleet, peerFleet);
    EXPECT_TRUE(s.fleetReceived);
    EXPECT_EQ(lobby.lines, std::vector<std::string>{"10.77.0.3"});
}

TEST_F(Receive, BlocksThatAreCutShortTooLongIllegalOrUnannouncedNeverReachTheRules) {
    connectTo("10.77.0.2");
    const Fleet before = s.enemyFleet;
    const FleetBlock good = encodeFleet(peerFleet);
    std::vector<std::vector<unsigned char>> fleets = {
        std::vector<unsigned char>(good.begin(), good.begin() + 599),
        std::vector<unsigned char>(good.begin(), good.end()),
    };
    fleets[1].push_back(0);
    Fleet touching = peerFleet;
    touching[9].rows[0] = touching[0].rows[0], touching[9].cols[0] = touching[0].cols[0];
    const FleetBlock bad = encodeFleet(touching);
    fleets.emplace_back(bad.begin(), bad.end());
    for (const auto& fleet : fleets) {
        text(net::InfoMarker);
        block(fleet);
        text(net::FieldMarker);
        block(encodeField(peerField));
        EXPECT_FALSE(s.fleetReceived);
        EXPECT_EQ(s.enemyFleet, before);
    }
    // A grid that does not belong to the fleet.
    Field wrong = peerField;
    std::replace(wrong.begin(), wrong.end(), CellDeck, CellWater);
    text(net::InfoMarker);
    block(encodeFleet(peerFleet));
    text(net::FieldMarker);
    block(encodeField(wrong));
    EXPECT_FALSE(s.fleetReceived);
    // Blocks from a third address, or with no announcement, are not taken.
    sendExchange("10.77.0.3");
    block(encodeField(peerField));
    EXPECT_FALSE(s.fleetReceived);
    EXPECT_EQ(s.enemyFleet, before);
    // The next whole exchange from the opponent is taken.
    sendExchange();
    EXPECT_TRUE(s.fleetReceived);
}

TEST_F(Receive, ShotsAndLeavingCountOnlyFromTheOpponent) {
    connectTo("10.77.0.2");
    text(net::moveMessage(3, 7), "10.77.0.3");
    text("SYS$$Move:0 7 ");
    text("SYS$$Move:a 7 ");
    text(net::ExitMarker, "10.77.0.3");
    EXPECT_FALSE(s.netMovePending);
    EXPECT_EQ(lobby.left, 0);
    text(net::moveMessage(3, 7));
    EXPECT_TRUE(s.netMovePending);
    EXPECT_EQ(s.netMoveRow, 3);
    EXPECT_EQ(s.netMoveCol, 7);
    text(net::ExitMarker);
    EXPECT_EQ(lobby.left, 1);
    s.netMode = false; // the player has left too
    text(net::ExitMarker);
    EXPECT_EQ(lobby.left, 1);
}

TEST_F(Receive, ARunningMatchIsNotTakenOverAndItsShotsDieWithIt) {
    s.netRole = NetRole::Creator;
    text(net::taggedJoin(0xabc), "10.77.0.2");
    ASSERT_EQ(lobby.joins, 1);
    EXPECT_TRUE(channel.extended());
    // The joiner repeats its request until it hears us: answered, no new match.
    lobby.sent.clear();
    text(net::taggedJoin(0xabc), "10.77.0.2");
    EXPECT_EQ(lobby.joins, 1);
    ASSERT_EQ(lobby.sent.size(), 1u);
    EXPECT_EQ(lobby.sent[0].substr(0, 14), "10.77.0.2 VTX~");
    // A third computer's request neither restarts the match nor takes the opponent.
    text(net::JoinRequest, "10.77.0.3");
    text(net::taggedJoin(0x123), "10.77.0.3");
    EXPECT_EQ(lobby.joins, 1);
    EXPECT_EQ(s.opponentIp, "10.77.0.2");

    // A shot received but not yet applied belongs to this match only.
    channel.acceptJoin("10.77.0.2", std::nullopt); // plain from here on
    text(net::moveMessage(3, 7));
    ASSERT_TRUE(s.netMovePending);
    s.gameInProgress = true;
    m.exitClicked();
    EXPECT_FALSE(s.netMovePending);
    s.netMode = true;
    connectTo("10.77.0.2");
    text(net::moveMessage(3, 7));
    m.singleClicked();
    EXPECT_FALSE(s.netMovePending);
    // Once the match is over, anybody may join again.
    s.netConnected = false;
    text(net::JoinRequest, "10.77.0.3");
    EXPECT_EQ(lobby.joins, 2);
    EXPECT_EQ(s.opponentIp, "10.77.0.3");
}

} // namespace
} // namespace vtx
