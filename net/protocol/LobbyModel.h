#pragma once

// What the LAN lobby knows, kept apart from its window so it is tested
// without one: the computers of "clients.cfg" and the subnet list that
// follows from them, the creators heard (the server list) and the computers
// that asked this creator for its presence. Formats: LobbyFormat.h and
// docs/lan-protocol.md. Standard library only.
//
// The subnet list follows from the computers as the file lists them, so a
// computer added or removed changes it as the next start would.

#include "net/protocol/LobbyFormat.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

class LobbyModel {
public:
    static constexpr std::size_t MaxServers = 64;
    static constexpr std::size_t MaxHostTargets = 256;
    static constexpr std::size_t MaxAskers = 64;

    struct Computer {
        std::string name;    // characters 1..15 of its line, trimmed
        std::string address; // characters 16.. trimmed, as the line holds them
    };
    struct Server {
        std::string address;
        std::string name; // UTF-8: the name after the tag, else the plain 14 characters
        bool extended = false;
    };

    // ------------------------------------------------------ "clients.cfg"
    void readClients(std::string_view fileBytes);
    // A computer as the scan or the player found it; false when a computer
    // with this address is already listed (then nothing changes).
    bool addComputer(std::string_view name, std::string_view address);
    // Removes every computer whose name or address is text; false when none.
    bool removeComputer(std::string_view text);
    // The file's text for the computers listed.
    std::string clientsFile() const;
    const std::vector<Computer>& computers() const { return m_computers; }
    const std::vector<std::string>& subNets() const { return m_subnets; }
    // The computers a created game is also announced to, each by its own
    // address: those whose address is one computer's (isHostAddress), once.
    std::vector<std::string> hostTargets() const;

    // ------------------------------------------------------ server list
    bool hasServer(std::string_view address) const;
    // The creator of a presence text; beyond MaxServers the oldest goes
    // (true then, so the window drops its first line too).
    bool addServer(std::string_view fromIP, std::string_view presenceText);
    void clearServers() { m_servers.clear(); }
    const std::vector<Server>& servers() const { return m_servers; }
    // The line the window shows: the address padded to 17, then the name.
    static std::string serverText(const Server& server);

    // ----------------------------- computers that asked for the presence
    // False when the address asked already or the list is full.
    bool addAsker(std::string_view address);
    const std::vector<std::string>& askers() const { return m_askers; }
    void clearAskers() { m_askers.clear(); }

private:
    void rebuildSubnets();

    std::vector<Computer> m_computers;
    std::vector<std::string> m_subnets;
    std::vector<Server> m_servers;
    std::vector<std::string> m_askers;
};

} // namespace vtx
