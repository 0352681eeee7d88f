#include "game/GameRandom.h"

#include "game/IClock.h"

namespace vtx {

void GameRandom::reseed(IClock& clock) {
    m_generator.seed(static_cast<std::uint64_t>(clock.timeOfDayMs()));
}

std::int32_t GameRandom::random(std::int32_t n) {
    if (n <= 0) return 0;
    const std::uint64_t high = m_generator.next() >> 32;
    return static_cast<std::int32_t>((high * static_cast<std::uint64_t>(n)) >> 32);
}

} // namespace vtx
