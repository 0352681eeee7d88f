#include "net/protocol/LobbyModel.h"

#include "game/NetExtension.h"
#include "game/PadStr.h"

#include <algorithm>

namespace vtx {

namespace {

constexpr int kServerAddressField = 17;
constexpr std::size_t kAddressPartChars = 12; // characters 16..27: what the subnet rule reads

} // namespace

void LobbyModel::readClients(std::string_view fileBytes) {
    m_computers.clear();
    for (const ClientEntry& entry : readClientsFile(fileBytes))
        m_computers.push_back({entry.name, entry.field});
    rebuildSubnets();
}

bool LobbyModel::addComputer(std::string_view name, std::string_view address) {
    if (!address.empty() && std::any_of(m_computers.begin(), m_computers.end(),
                                        [&](const Computer& c) { return c.address == address; }))
        return false;
    // Read back from its own line, so the entry is what the next start finds.
    const std::vector<ClientEntry> line = readClientsFile(clientsFileLine(name, address));
    if (line.empty()) return false;
    m_computers.push_back({line.front().name, line.front().field});
    rebuildSubnets();
    return true;
}

bool LobbyModel::removeComputer(std::string_view text) {
    const auto gone = std::erase_if(m_computers, [&](const Computer& c) {
        return !text.empty() && (c.name == text || c.address == text);
    });
    if (gone == 0) return false;
    rebuildSubnets();
    return true;
}

std::string LobbyModel::clientsFile() const {
    std::string file;
    for (const Computer& c : m_computers)
        file += clientsFileLine(c.name, c.address);
    return file;
}

void LobbyModel::rebuildSubnets() {
    m_subnets.clear();
    for (const Computer& c : m_computers)
        analyzeIp(std::string_view(c.address).substr(0, kAddressPartChars), m_subnets);
}

std::vector<std::string> LobbyModel::hostTargets() const {
    std::vector<std::string> targets;
    for (const Computer& c : m_computers)
        if (isHostAddress(c.address) &&
            std::find(targets.begin(), targets.end(), c.address) == targets.end() &&
            targets.size() < MaxHostTargets)
            targets.push_back(c.address);
    return targets;
}

bool LobbyModel::hasServer(std::string_view address) const {
    const std::string key = serverLineAddress(address);
    return std::any_of(m_servers.begin(), m_servers.end(), [&](const Server& s) { return s.address == key; });
}

bool LobbyModel::addServer(std::string_view fromIP, std::string_view presenceText) {
    const std::string line = serverLine(fromIP, presenceText);
    Server server;
    server.address = serverLineAddress(line);
    server.extended = net::presenceTagged(presenceText);
    const auto utf8 = net::presenceUtf8Name(presenceText);
    server.name = utf8 ? *utf8 : line.substr(std::min<std::size_t>(line.size(), kServerAddressField));
    const bool dropOldest = m_servers.size() >= MaxServers;
    if (dropOldest) m_servers.erase(m_servers.begin());
    m_servers.push_back(std::move(server));
    return dropOldest;
}

std::string LobbyModel::serverText(const Server& server) {
    return padStr(server.address, kServerAddressField, PadSide::Right) + server.name;
}

bool LobbyModel::addAsker(std::string_view address) {
    if (m_askers.size() >= MaxAskers ||
        std::find(m_askers.begin(), m_askers.end(), address) != m_askers.end())
        return false;
    m_askers.emplace_back(address);
    return true;
}

} // namespace vtx
