// libFuzzer target: the lobby reads any "clients.cfg", writes back what it read line for line, and
// builds from it only real subnet broadcast addresses, each once.

#include "net/protocol/LobbyFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string shown(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7f) c = '?';
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<vtx::ClientEntry> entries = vtx::readClientsFile(bytes);

    std::string written;
    std::vector<std::string> subnets;
    for (const vtx::ClientEntry& e : entries) {
        if (e.name.size() > 15 || e.addressPart.size() > 12) std::abort();
        written += vtx::clientsFileLine(e.name, e.addressPart);
        vtx::analyzeIp(e.addressPart, subnets);
    }

    // What we write reads back as the same computers: no line lost, split or merged.
    const std::vector<vtx::ClientEntry> again = vtx::readClientsFile(written);
    if (again.size() != entries.size()) std::abort();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (again[i].name != shown(entries[i].name) || again[i].addressPart != shown(entries[i].addressPart))
            std::abort();

    // Every subnet is "a.b.c.255" with numbers, and none comes twice.
    for (std::size_t i = 0; i < subnets.size(); ++i) {
        const std::string& s = subnets[i];
        if (s.size() < 9 || s.size() > 15 || s.compare(s.size() - 4, 4, ".255") != 0) std::abort();
        if (std::count(s.begin(), s.end(), '.') != 3) std::abort();
        if (std::find(subnets.begin() + static_cast<std::ptrdiff_t>(i) + 1, subnets.end(), s) !=
            subnets.end())
            std::abort();
    }

    // A presence text of any bytes gives a line whose address reads back.
    const std::string line = vtx::serverLine("10.0.0.5", bytes);
    if (vtx::serverLineAddress(line) != "10.0.0.5" || line.find('\n') != std::string::npos) std::abort();
    return 0;
}
