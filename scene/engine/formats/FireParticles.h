#pragma once

// The shared particle system behind every fire effect. Units: scene units and seconds.
//
// Call order: set `params`, then advance(dt) once per cadencer tick, then read particles() and
// colorOf() to draw. Every burning object draws the same particle set around its own position.
// Offsets and directions are in world orientation (Y up), not turned with the burning object.
// Deterministic: the same seed and the same sequence of dt give the same particles.
//
// How a flame behaves: a particle is born at a random point within fireRadius of the centre with
// initialDir (varied per particle) plus a small random scatter as its velocity. It is lifted along
// fireDir (an acceleration of 5 * fireDir against a drag keeping a quarter of its velocity per
// second, so it rises at most about 3.6 * |fireDir| per second), shaken by turbulence in proportion to
// fireRadius and drawn back towards the vertical axis, so the flame tapers. It grows to particleSize
// over the first third of its life, then shrinks; it evaporates: its size and opacity are multiplied by
// fireEvaporation per second of age. It dies after particleLife (each particle 75..100 % of it).
// A tick longer than one second is taken as one second.

#include <glm/glm.hpp>

#include <cstdint>
#include <random>
#include <vector>

namespace vtx {

struct FireParams {
    int maxParticles = 128;        // live particles at most; births stop while the pool is full
    float particleSize = 0.15f;    // full size of a particle at the height of its life, scene units
    float fireDensity = 0.6f;      // 0..1: opacity of a young particle (alpha multiplier)
    float fireEvaporation = 0.86f; // 0..1: per-second retention of a particle's size and opacity
    float particleLife = 2.0f;     // seconds
    float fireBurst = 1.0f;        // particles born per emission (fractions carry over to the next)
    float fireRadius = 0.1f;       // particles are born within this distance of the centre
    float particleInterval =
        0.04f; // seconds between emissions with useInterval; else one per tick (split to 1/30 s)
    bool useInterval = true;
    glm::vec3 fireDir{0.0f, 0.2f, 0.0f};    // the direction and strength of the lift
    glm::vec3 initialDir{0.0f, 0.0f, 0.7f}; // initial velocity, scene units per second
    glm::vec4 innerColor{1, 1, 0, 1};
    glm::vec4 outerColor{1, 0.5f, 0, 1};
};

struct FireParticle {
    glm::vec3 offset;   // from the burning object's position
    glm::vec3 velocity; // scene units per second
    float age = 0;      // seconds
    float life = 0;     // seconds until it dies
    float size = 0;     // current drawing size, scene units
};

class FireParticles {
public:
    FireParams params;
    explicit FireParticles(std::uint32_t seed = 1);
    // Advances by dt seconds: emits new particles (per particleInterval when useInterval), moves them
    // (rising along fireDir with turbulence, spreading within fireRadius), ages and evaporates them.
    void advance(float dt);
    // Particles as OFFSETS from the burning object's position; every fire draws the same set (shared flames).
    const std::vector<FireParticle>& particles() const;
    // Colour and size of a particle for drawing: from innerColor (young, centre) to outerColor and fading
    // alpha.
    glm::vec4 colorOf(const FireParticle& p) const;

private:
    void spawn(int count);
    void step(float dt);
    float uniform();
    glm::vec3 inBall(float radius);
    float sizeAt(const FireParticle& p) const;
    float evaporation(const FireParticle& p) const;

    std::mt19937 m_rng;
    std::vector<FireParticle> m_particles;
    float m_sinceEmission = 0.0f;
    float m_burstCarry = 0.0f;
};

} // namespace vtx
