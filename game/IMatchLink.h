#pragma once

// What the rules ask of the line to a LAN opponent (opponentIp): the plain
// protocol's messages or the extended one's frames, as the join settled it.
// Part of IMatchHost (its contract holds).

#include <cstdint>

namespace vtx {

class IMatchLink {
public:
    virtual ~IMatchLink() = default;

    virtual void sendShot(std::int32_t row, std::int32_t column) = 0; // "SYS$$Move:" message
    virtual void sendLeave() = 0;                                     // "SYS$$Exit:"
    // The four datagrams "SYS$$Info:", fleet block of ownFleet, "SYS$$Field:",
    // grid block of ownField (FleetBlock.h). The Match sets fleetSent after it.
    virtual void sendFleet() = 0;
};

} // namespace vtx
