#include "net/protocol/LobbyFormat.h"
#include "game/NetExtension.h"
#include "net/protocol/LobbyModel.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(LobbyFormat, ServerLinesHoldThePaddedAddressAndTheNameCutTo14) {
    EXPECT_EQ(serverLine("10.0.0.5", "SYS$$Present: Bob"), "10.0.0.5         Bob");
    EXPECT_EQ(serverLine("192.168.100.200", "SYS$$Present: Bob"), "192.168.100.200  Bob");
    // Characters 14..28 of the text: at most 14 name characters, leading blanks dropped.
    EXPECT_EQ(serverLine("10.0.0.5", "SYS$$Present: ABCDEFGHIJKLMNOPQ"), "10.0.0.5         ABCDEFGHIJKLMN");
    EXPECT_EQ(serverLine("10.0.0.5", "SYS$$Present:    Ann  "), "10.0.0.5         Ann");
    EXPECT_EQ(serverLine("10.0.0.5", "SYS$$Present: "), "10.0.0.5         ");
    EXPECT_EQ(serverLine("10.0.0.5", "SYS$$"), "10.0.0.5         ");
    EXPECT_EQ(serverLine("10.0.0.5", std::string_view("SYS$$Present: A\nB\0C", 19)),
              "10.0.0.5         A?B?C");

    EXPECT_EQ(serverLineAddress("192.168.100.200  Bob"), "192.168.100.200");
    EXPECT_EQ(serverLineAddress("10.0.0.5         Bob"), "10.0.0.5");
    EXPECT_EQ(serverLineAddress(""), "");
}

TEST(LobbyFormat, ClientsFileLinesReadBackUpToTheFirstEmptyLine) {
    EXPECT_EQ(clientsFileLine("alpha", "192.168.1.7"), "alpha          192.168.1.7\r\n");
    EXPECT_EQ(clientsFileLine("a-very-long-computer-name", ""), "a-very-long-com\r\n");
    EXPECT_EQ(clientsFileLine("bad\r\nname", "1.2.3.4"), "bad??name      1.2.3.4\r\n");

    const std::string file = clientsFileLine("alpha", "192.168.1.7") + clientsFileLine("nowhere", "") +
                             clientsFileLine("a-very-long-computer-name", "10.0.0.3") +
                             "beta           192.168.100.123\n" // bare LF; address part cut to 12
                             + "\r\n" + clientsFileLine("after", "172.16.0.1");
    const auto entries = readClientsFile(file);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "alpha");
    EXPECT_EQ(entries[0].addressPart, "192.168.1.7");
    EXPECT_EQ(entries[1].name, "nowhere");
    EXPECT_EQ(entries[1].addressPart, "");
    EXPECT_EQ(entries[2].name, "a-very-long-com");
    EXPECT_EQ(entries[2].addressPart, "10.0.0.3");
    EXPECT_EQ(entries[3].addressPart, "192.168.100.");
    // The whole address, for presence sent straight to a listed computer.
    EXPECT_EQ(entries[3].address, "192.168.100.123");
    EXPECT_EQ(entries[1].address, "");
    for (const char* notOne :
         {"192.168.1.255", "0.1.2.3", "224.0.0.1", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1.2.3.x"})
        EXPECT_FALSE(isHostAddress(notOne)) << notOne;

    EXPECT_TRUE(readClientsFile("").empty());
    EXPECT_TRUE(readClientsFile("\r\nalpha          1.2.3.4\r\n").empty());
    ASSERT_EQ(readClientsFile("last           1.2.3.4").size(), 1u); // no line end at the end
}

TEST(LobbyFormat, SubnetListHoldsEachClassCBroadcastOnceInOrder) {
    std::vector<std::string> subnets;
    for (const char* address : {"192.168.1.7", "192.168.1.12", "10.0.0.3"})
        analyzeIp(address, subnets);
    EXPECT_EQ(subnets, (std::vector<std::string>{"192.168.1.255", "10.0.0.255"}));

    // The 12-character address part of the file is enough.
    analyzeIp("172.16.200.", subnets);
    EXPECT_EQ(subnets.back(), "172.16.200.255");
    const std::size_t before = subnets.size();
    for (const char* nothing :
         {"", "10.0.0", "host.local", "a.b.c.d", "1.2.300.4", "...", "1..2.3", "1234.1.1.1"})
        analyzeIp(nothing, subnets);
    EXPECT_EQ(subnets.size(), before);
}

TEST(LobbyModel, ComputersAddedAndRemovedKeepTheFileAndItsSubnetsInStep) {
    LobbyModel model;
    model.readClients("alpha          192.168.1.7\r\nnowhere        \r\nbeta           10.0.0.3\r\n");
    EXPECT_EQ(model.subNets(), (std::vector<std::string>{"192.168.1.255", "10.0.0.255"}));
    // A friend typed by name: its line as the file keeps every line.
    EXPECT_TRUE(model.addComputer("friend.example.org", "203.0.113.5"));
    EXPECT_FALSE(model.addComputer("again", "203.0.113.5"));
    EXPECT_EQ(model.clientsFile(),
              "alpha          192.168.1.7\r\nnowhere        \r\nbeta           10.0.0.3\r\n"
              "friend.example.203.0.113.5\r\n");
    EXPECT_EQ(model.hostTargets(), (std::vector<std::string>{"192.168.1.7", "10.0.0.3", "203.0.113.5"}));
    EXPECT_EQ(model.subNets().back(), "203.0.113.255");
    EXPECT_TRUE(model.removeComputer("alpha"));
    EXPECT_TRUE(model.removeComputer("203.0.113.5"));
    EXPECT_FALSE(model.removeComputer("gamma"));
    EXPECT_EQ(model.subNets(), (std::vector<std::string>{"10.0.0.255"}));
    EXPECT_EQ(model.clientsFile(), "nowhere        \r\nbeta           10.0.0.3\r\n");
}

TEST(LobbyModel, ServersShowTheUtf8NameOfAnExtendedCreatorAndKeepTheLatest) {
    LobbyModel model;
    model.addServer("10.0.0.3", "SYS$$Present:    Bob with a long name");
    model.addServer("10.0.0.4", net::taggedPresence("????", "\u0410\u043d\u043d\u0430"));
    ASSERT_EQ(model.servers().size(), 2u);
    EXPECT_EQ(LobbyModel::serverText(model.servers()[0]), "10.0.0.3         Bob with a");
    EXPECT_FALSE(model.servers()[0].extended);
    EXPECT_EQ(LobbyModel::serverText(model.servers()[1]), "10.0.0.4         \u0410\u043d\u043d\u0430");
    EXPECT_TRUE(model.servers()[1].extended);
    EXPECT_TRUE(model.hasServer("10.0.0.4"));
    for (std::size_t i = 0; i < LobbyModel::MaxServers; ++i)
        model.addServer("10.1.0." + std::to_string(i + 1), "SYS$$Present: x");
    EXPECT_EQ(model.servers().size(), LobbyModel::MaxServers);
    EXPECT_FALSE(model.hasServer("10.0.0.4"));
    // Each asker once, and not without end.
    EXPECT_TRUE(model.addAsker("10.0.0.9"));
    EXPECT_FALSE(model.addAsker("10.0.0.9"));
    for (std::size_t i = 0; i < LobbyModel::MaxAskers; ++i)
        model.addAsker("10.2.0." + std::to_string(i + 1));
    EXPECT_EQ(model.askers().size(), LobbyModel::MaxAskers);
}

} // namespace
} // namespace vtx
