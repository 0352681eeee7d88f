#include "game/GameRandom.h"

#include "game/IClock.h"

namespace vtx {

void GameRandom::reseed(IClock& clock) {
    m_state = static_cast<std::uint64_t>(clock.timeOfDayMs());
}

std::uint64_t GameRandom::next() {
    m_state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::int32_t GameRandom::random(std::int32_t n) {
    if (n <= 0) return 0;
    const std::uint64_t high = next() >> 32;
    return static_cast<std::int32_t>((high * static_cast<std::uint64_t>(n)) >> 32);
}

} // namespace vtx
