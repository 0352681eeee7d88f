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

std::array<unsigned char, ShipRecordBytes> encodeShip(const Ship& ship) {
    std::array<unsigned char, ShipRecordBytes> out{};
    putInt(&out[0], ship.size);
    putInt(&out[4], ship.sunk);
    for (int k = 0; k < MaxDecks; ++k) {
        putInt(&out[std::size_t(8 + 4 * k)], ship.cols[k]);
        putInt(&out[std::size_t(24 + 4 * k)], ship.rows[k]);
        putInt(&out[std::size_t(40 + 4 * k)], ship.deckState[k]);
    }
    out[56] = ship.horizontal;
    out[57] = ship.padding[0];
    out[58] = ship.padding[1];
    out[59] = ship.padding[2];
    return out;
}

Ship decodeShip(std::span<const unsigned char, ShipRecordBytes> in) {
    Ship ship;
    ship.size = getInt(&in[0]);
    ship.sunk = getInt(&in[4]);
    for (int k = 0; k < MaxDecks; ++k) {
        ship.cols[k] = getInt(&in[std::size_t(8 + 4 * k)]);
        ship.rows[k] = getInt(&in[std::size_t(24 + 4 * k)]);
        ship.deckState[k] = getInt(&in[std::size_t(40 + 4 * k)]);
    }
    ship.horizontal = in[56];
    ship.padding[0] = in[57];
    ship.padding[1] = in[58];
    ship.padding[2] = in[59];
    return ship;
}

FleetBlock encodeFleet(const Fleet& fleet) {
    FleetBlock out{};
    for (std::size_t n = 0; n < fleet.size(); ++n) {
        const auto ship = encodeShip(fleet[n]);
        std::copy(ship.begin(), ship.end(), out.begin() + std::ptrdiff_t(n * ShipRecordBytes));
    }
    return out;
}

Fleet decodeFleet(std::span<const unsigned char, FleetBlockBytes> bytes) {
    Fleet fleet;
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

std::size_t overwriteFleetPrefix(Fleet& fleet, std::span<const unsigned char> bytes) {
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
