#pragma once

// What the rules ask of the line to a LAN opponent (OpponentIP): the plain
// protocol's messages or the extended one's frames, as the join settled it.
// Part of IMatchHost (its contract holds).

#include <cstdint>

namespace vtx {

class IMatchLink {
public:
    virtual ~IMatchLink() = default;

    virtual void SendShot(std::int32_t row, std::int32_t column) = 0; // "SYS$$Move:" message
    virtual void SendLeave() = 0;                                     // "SYS$$Exit:"
    // The four datagrams "SYS$$Info:", fleet block of OwnFleet, "SYS$$Field:",
    // grid block of OwnField (FleetBlock.h). The Match sets FleetSent after it.
    virtual void SendFleet() = 0;
};

} // namespace vtx
