#include "game/admiral/PlayerHabit.h"

#include <algorithm>

namespace vtx {
namespace {

constexpr std::array<std::uint8_t, 4> Magic = {'V', 'X', 'H', 'B'};
constexpr std::size_t CountsAt = 12;
constexpr std::size_t CrcAt = CountsAt + 2 * GridCells;
static_assert(CrcAt + 4 == PlayerHabit::FileBytes);

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint16_t word16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint16_t(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t word32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | (std::uint32_t(bytes[at + 1]) << 8) |
           (std::uint32_t(bytes[at + 2]) << 16) | (std::uint32_t(bytes[at + 3]) << 24);
}

} // namespace

void PlayerHabit::record(const CellSet& decks) {
    if (m_fleets == MaxFleets) {
        m_fleets = std::uint16_t((m_fleets + 1) / 2);
        for (std::uint16_t& c : m_counts)
            c = std::uint16_t((c + 1) / 2);
    }
    m_fleets += 1;
    decks.forEach([&](int cell) { m_counts[std::size_t(cell)] += 1; });
}

std::array<std::uint8_t, PlayerHabit::FileBytes> PlayerHabit::toBytes() const {
    std::array<std::uint8_t, FileBytes> out{};
    std::copy(Magic.begin(), Magic.end(), out.begin());
    out[4] = Version;
    out[8] = std::uint8_t(m_fleets & 0xFF);
    out[9] = std::uint8_t(m_fleets >> 8);
    for (std::size_t i = 0; i < m_counts.size(); ++i) {
        out[CountsAt + 2 * i] = std::uint8_t(m_counts[i] & 0xFF);
        out[CountsAt + 2 * i + 1] = std::uint8_t(m_counts[i] >> 8);
    }
    const std::uint32_t crc = crc32(std::span(out).first(CrcAt));
    for (int k = 0; k < 4; ++k)
        out[CrcAt + std::size_t(k)] = std::uint8_t(crc >> (8 * k));
    return out;
}

struct HabitFile {
    static HabitRead read(std::span<const std::uint8_t> bytes) {
        HabitRead result;
        if (bytes.size() != PlayerHabit::FileBytes) {
            result.problem = HabitProblem::WrongSize;
            return result;
        }
        if (!std::equal(Magic.begin(), Magic.end(), bytes.begin())) {
            result.problem = HabitProblem::Foreign;
            return result;
        }
        if (bytes[4] > PlayerHabit::Version) {
            result.problem = HabitProblem::NewerVersion;
            return result;
        }
        PlayerHabit habit;
        habit.m_fleets = word16(bytes, 8);
        bool sound = bytes[4] == PlayerHabit::Version && bytes[5] == 0 && bytes[6] == 0 && bytes[7] == 0 &&
                     bytes[10] == 0 && bytes[11] == 0 && word32(bytes, CrcAt) == crc32(bytes.first(CrcAt));
        for (std::size_t i = 0; i < habit.m_counts.size() && sound; ++i) {
            habit.m_counts[i] = word16(bytes, CountsAt + 2 * i);
            sound = habit.m_counts[i] <= habit.m_fleets;
        }
        if (!sound) {
            result.problem = HabitProblem::Damaged;
            return result;
        }
        result.habit = habit;
        return result;
    }
};

HabitRead readHabit(std::span<const std::uint8_t> bytes) {
    return HabitFile::read(bytes);
}

HabitRead readHabit(std::string_view bytes) {
    return HabitFile::read(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

CellSet fleetDecks(const Fleet& fleet) {
    CellSet decks;
    for (const Ship& ship : fleet)
        for (int k = 1; k <= deckSlots(ship); ++k)
            if (const auto deck = deckAt(ship, k)) decks.add(gridIndex(deck->row, deck->column));
    return decks;
}

} // namespace vtx
