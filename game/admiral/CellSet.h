#pragma once

// A set of cells of one 10 x 10 grid, by grid index 0..99, as two machine
// words: the Admiral tests thousands of ship placements against what it knows
// for every shot, and one placement test is then two ANDs.

#include "game/GameTypes.h"

#include <bit>
#include <cstdint>

namespace vtx {

class CellSet {
public:
    constexpr CellSet() = default;

    static constexpr CellSet of(int index) {
        CellSet set;
        set.add(index);
        return set;
    }
    // Every cell of the grid.
    static constexpr CellSet all() {
        CellSet set;
        set.m_low = ~std::uint64_t{0};
        set.m_high = HighMask;
        return set;
    }

    constexpr void add(int index) { word(index) |= bit(index); }
    constexpr void remove(int index) { word(index) &= ~bit(index); }
    constexpr bool has(int index) const { return ((index < 64 ? m_low : m_high) & bit(index)) != 0; }

    constexpr bool empty() const { return (m_low | m_high) == 0; }
    constexpr int count() const { return std::popcount(m_low) + std::popcount(m_high); }
    constexpr bool intersects(const CellSet& other) const {
        return ((m_low & other.m_low) | (m_high & other.m_high)) != 0;
    }
    constexpr bool contains(const CellSet& other) const {
        return (other.m_low & ~m_low) == 0 && (other.m_high & ~m_high) == 0;
    }

    constexpr CellSet operator|(const CellSet& o) const { return make(m_low | o.m_low, m_high | o.m_high); }
    constexpr CellSet operator&(const CellSet& o) const { return make(m_low & o.m_low, m_high & o.m_high); }
    // The cells of this set that are not in o.
    constexpr CellSet minus(const CellSet& o) const { return make(m_low & ~o.m_low, m_high & ~o.m_high); }
    constexpr CellSet& operator|=(const CellSet& o) { return *this = *this | o; }
    constexpr bool operator==(const CellSet&) const = default;

    // Calls f(index) for every cell in ascending order.
    template <class F> constexpr void forEach(F&& f) const {
        for (std::uint64_t w = m_low; w != 0; w &= w - 1)
            f(std::countr_zero(w));
        for (std::uint64_t w = m_high; w != 0; w &= w - 1)
            f(64 + std::countr_zero(w));
    }

private:
    static constexpr std::uint64_t HighMask = (std::uint64_t{1} << (GridCells - 64)) - 1;
    static_assert(GridCells > 64 && GridCells <= 128);

    static constexpr CellSet make(std::uint64_t low, std::uint64_t high) {
        CellSet set;
        set.m_low = low;
        set.m_high = high;
        return set;
    }
    static constexpr std::uint64_t bit(int index) { return std::uint64_t{1} << (index & 63); }
    constexpr std::uint64_t& word(int index) { return index < 64 ? m_low : m_high; }

    std::uint64_t m_low = 0;  // grid indexes 0..63
    std::uint64_t m_high = 0; // grid indexes 64..99 in bits 0..35
};

} // namespace vtx
