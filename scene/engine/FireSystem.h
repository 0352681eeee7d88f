#pragma once
// One shared particle fire: every FireEffect that refers to a manager draws the same particles
// around its own object's position (offsets in world axes, so flames rise along +Y by default).
//
// Ownership: create with std::make_shared; effect lists hold shared references, so the manager lives
// as long as any object burns with it. The cadencer advances every manager referenced from the scene
// exactly once per tick (see FrameClock); advance() may also be called by hand (tests, benchmarks).
// Units: scene units and seconds.

#include "scene/engine/formats/FireParticles.h"

#include <cstdint>

namespace vtx {

class FireSystem {
public:
    explicit FireSystem(std::uint32_t seed = 1) : m_particles(seed) {}

    // The parameters (maxParticles, particleSize, fireDensity, fireEvaporation, particleLife,
    // fireBurst, fireRadius, particleInterval, useInterval, fireDir, initialDir, innerColor,
    // outerColor); change them at any time.
    FireParams& params() { return m_particles.params; }
    const FireParams& params() const { return m_particles.params; }

    // While Disabled or Paused the particles stay as they are.
    bool disabled = false;
    bool paused = false;

    void advance(double deltaSeconds);
    const FireParticles& particles() const { return m_particles; }
    // The cadencer tick number this manager was last advanced in (avoids advancing twice per tick).
    std::uint64_t lastTick = 0;

private:
    FireParticles m_particles;
};

} // namespace vtx
