#include "game/FleetBlock.h"

#include <algorithm>

namespace vtx {

namespace {

void putInt(unsigned char* out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    out[0] = static_cast<unsigned char>(u & 0xffu);
    out[1] = static_cast<unsigned char>((u >> 8) & 0xffu);
    out[2] = static_cast<unsigned char>((u >> 16) & 0xffu);
    out[3] = static_cast<unsigned char>((u >> 24) & 0xffu);
}

std::int32_t getInt(const unsigned char* in) {
    const std::uint32_t u = std::uint32_t(in[0]) | (std::uint32_t(in[1]) << 8) |
                            (std::uint32_t(in[2]) << 16) | (std::uint32_t(in[3]) << 24);
    return static_cast<std::int32_t>(u); // two's complement, defined since C++20
}

} // namespace

std::array<unsigned char, ShipRecordBytes> encodeShip(const TShipRecord& ship) {
    std::array<unsigned char, ShipRecordBytes> out{};
    putInt(&out[0], ship.Size);
    putInt(&out[4], ship.Sunk);
    for (int k = 0; k < MaxDecks; ++k) {
        putInt(&out[std::size_t(8 + 4 * k)], ship.Cols[k]);
        putInt(&out[std::size_t(24 + 4 * k)], ship.Rows[k]);
        putInt(&out[std::size_t(40 + 4 * k)], ship.DeckState[k]);
    }
    out[56] = ship.Horizontal;
    out[57] = ship.Padding[0];
    out[58] = ship.Padding[1];
    out[59] = ship.Padding[2];
    return out;
}

TShipRecord decodeShip(std::span<const unsigned char, ShipRecordBytes> in) {
    TShipRecord ship;
    ship.Size = getInt(&in[0]);
    ship.Sunk = getInt(&in[4]);
    for (int k = 0; k < MaxDecks; ++k) {
        ship.Cols[k] = getInt(&in[std::size_t(8 + 4 * k)]);
        ship.Rows[k] = getInt(&in[std::size_t(24 + 4 * k)]);
        ship.DeckState[k] = getInt(&in[std::size_t(40 + 4 * k)]);
    }
    ship.Horizontal = in[56];
    ship.Padding[0] = in[57];
    ship.Padding[1] = in[58];
    ship.Padding[2] = in[59];
    return ship;
}

FleetBlock encodeFleet(const TFleet& fleet) {
    FleetBlock out{};
    for (std::size_t n = 0; n < fleet.size(); ++n) {
        const auto ship = encodeShip(fleet[n]);
        std::copy(ship.begin(), ship.end(), out.begin() + std::ptrdiff_t(n * ShipRecordBytes));
    }
    return out;
}

TFleet decodeFleet(std::span<const unsigned char, FleetBlockBytes> bytes) {
    TFleet fleet;
    for (std::size_t n = 0; n < fleet.size(); ++n)
        fleet[n] = decodeShip(bytes.subspan(n * ShipRecordBytes).first<ShipRecordBytes>());
    return fleet;
}

FieldBlock encodeField(const Field& field) {
    FieldBlock out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<unsigned char>(field[i]);
    return out;
}

Field decodeField(std::span<const unsigned char, FieldBlockBytes> bytes) {
    Field field;
    for (std::size_t i = 0; i < field.size(); ++i)
        field[i] = static_cast<char>(bytes[i]);
    return field;
}

std::size_t overwriteFleetPrefix(TFleet& fleet, std::span<const unsigned char> bytes) {
    FleetBlock block = encodeFleet(fleet);
    const std::size_t taken = std::min(bytes.size(), block.size());
    std::copy_n(bytes.begin(), taken, block.begin());
    fleet = decodeFleet(block);
    return taken;
}

std::size_t overwriteFieldPrefix(Field& field, std::span<const unsigned char> bytes) {
    const std::size_t taken = std::min(bytes.size(), field.size());
    for (std::size_t i = 0; i < taken; ++i)
        field[i] = static_cast<char>(bytes[i]);
    return taken;
}

} // namespace vtx
