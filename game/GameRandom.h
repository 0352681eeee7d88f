#pragma once

// The game's one uniform generator random(n) over 0..n-1.
//
// Generator: SplitMix64 (game/SplitMix64.h). random(n) takes the top 32 bits
// of a draw and scales them to 0..n-1 by multiply-and-shift. SplitMix64 is
// used because the game re-seeds it from the time of day in milliseconds
// before most draws: seeds one apart must give unrelated first draws, which a
// plain LCG's high bits do not.
//
// The same seed always gives the same sequence, so two attempts made in the
// same millisecond draw the same cell; the rules depend on that behaviour.

#include "game/SplitMix64.h"

#include <cstdint>

namespace vtx {

class IClock;

class GameRandom {
public:
    explicit GameRandom(std::uint64_t seed = 0) : m_generator(seed) {}

    void seed(std::uint64_t seed) { m_generator.seed(seed); }
    // Re-seeds from clock.timeOfDayMs().
    void reseed(IClock& clock);

    // Uniform in 0..n-1; 0 when n <= 0.
    std::int32_t random(std::int32_t n);

private:
    SplitMix64 m_generator;
};

} // namespace vtx
