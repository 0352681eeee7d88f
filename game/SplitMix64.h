#pragma once

// SplitMix64 (Steele, Lea and Flood, 2014): a 64-bit state that advances by
// 0x9E3779B97F4A7C15 at every draw, and an output mix of that state. Seed
// 1234567 gives 6457827717110365317, 3203168211198807973, 9817491932198370423,
// ... (the published reference sequence).
//
// The one generator of the house wherever the same seed must give the same
// numbers on every platform and in every run: the rules' draws (GameRandom),
// the LAN session numbers, and the data generator's pictures and songs. Any
// change to it changes the generated data and the cells a seeded match draws.

#include <cstdint>

namespace vtx {

class SplitMix64 {
public:
    constexpr explicit SplitMix64(std::uint64_t seed = 0) : m_state(seed) {}

    // The next draw starts from seed as a new generator would.
    constexpr void seed(std::uint64_t seed) { m_state = seed; }

    constexpr std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1): the top 53 bits of one draw, exact in a double.
    constexpr double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

private:
    std::uint64_t m_state;
};

} // namespace vtx
