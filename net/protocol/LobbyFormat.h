#pragma once

// The lobby's text formats: the lines of the server list, the computer list
// file "clients.cfg" and the subnet list built from it. Standard library only,
// so the formats are tested and fuzzed without a window or a socket.
//
// Server list line (one per creator heard, in arrival order):
//   chars  1..17  the creator's dotted address, padded on the right with blanks
//   chars 18..    the creator's player name: characters 14..28 of its presence
//                 text ("SYS$$Present: " + name) trimmed of blanks, so at most
//                 14 characters and never with leading blanks
// The address of a line is its first 15 characters trimmed.
//
// "clients.cfg" (in the start folder; written once by the first-run scan, read
// at every start): one line per computer, single-byte characters, each line
// ended by CR LF (a bare LF is accepted when reading):
//   chars  1..15  the computer's name, padded on the right with blanks to 15
//                 (a longer name is cut to 15)
//   chars 16..    its dotted IPv4 address, empty when the name did not resolve
// A reader takes characters 1..15 trimmed as the name and characters 16..27 as
// the address part: 12 characters always hold the first three numbers of an
// address with the dot after the third, which is all the subnet list needs.
// Reading stops at the first empty line or at the end of the file.
//
// Subnet list: for each address, the text up to and including its third dot
// followed by "255" (the broadcast address of a class C subnet), once per
// distinct subnet, in the order first met.

#include <string>
#include <string_view>
#include <vector>

namespace vtx {

// The server list line for a presence message from fromIP. Control characters
// inside the name are shown as '?' so a line never breaks the list.
std::string serverLine(std::string_view fromIP, std::string_view presenceText);
// The address of a server list line: its first 15 characters trimmed.
std::string serverLineAddress(std::string_view line);

struct ClientEntry {
    std::string name;        // characters 1..15, trimmed
    std::string addressPart; // characters 16..27, trimmed (may be empty)
    std::string field;       // characters 16.., trimmed, whatever they hold
    // Characters 16.. when they are a whole dotted IPv4 address of a single
    // computer (not 0.x.x.x, a broadcast .255 or 255.x, or a multicast
    // address); empty otherwise. The lobby also announces a created game to
    // each, so a computer listed by hand is reached across routers.
    std::string address;
};

// Reads the lines of "clients.cfg" up to the first empty line or the end.
std::vector<ClientEntry> readClientsFile(std::string_view bytes);
// One line of "clients.cfg" with its CR LF. Control characters in the name or
// the address become '?', so a line can never split into two.
std::string clientsFileLine(std::string_view name, std::string_view address);

// Adds the subnet broadcast address of address ("192.168.1.7" ->
// "192.168.1.255") to subnets unless it is already there. An empty address,
// one with fewer than three dots, or one whose first three fields are not
// numbers 0..255 adds nothing.
void analyzeIp(std::string_view address, std::vector<std::string>& subnets);

// Whether text is a dotted IPv4 address of one computer (see ClientEntry).
bool isHostAddress(std::string_view text);

} // namespace vtx
