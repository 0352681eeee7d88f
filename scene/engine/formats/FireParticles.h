#pragma once

// The shared particle system behind every fire effect. Units: scene units and seconds.
//
// Call order: set `params`, then advance(dt) once per cadencer tick, then read particles() and
// colorOf() to draw. Every burning object draws the same particle set around its own position.
// Deterministic: the same seed and the same sequence of dt give the same particles.

#include <glm/glm.hpp>

#include <cstdint>
#include <random>
#include <vector>

namespace vtx {

struct FireParams {
    int MaxParticles = 128;         // live particles at most
    float ParticleSize = 0.15f;     // full size of a particle at the height of its life, scene units
    float FireDensity = 0.6f;       // 0..1: fraction of each emission's particles actually born
    float FireEvaporation = 0.86f;  // per-second retention of a particle's velocity relative to the lift
    float ParticleLife = 2.0f;      // seconds
    float FireBurst = 1.0f;         // scales the number of particles born per emission
    float FireRadius = 0.1f;        // particles are born within this distance of the centre
    float ParticleInterval = 0.04f; // seconds between emissions when UseInterval
    bool UseInterval = true;
    glm::vec3 FireDir{0.0f, 0.2f, 0.0f};    // lift, scene units per second
    glm::vec3 InitialDir{0.0f, 0.0f, 0.7f}; // initial velocity, scene units per second
    glm::vec4 InnerColor{1, 1, 0, 1};
    glm::vec4 OuterColor{1, 0.5f, 0, 1};
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
    // Advances by dt seconds: emits new particles (per ParticleInterval when UseInterval), moves them
    // (rising along FireDir with turbulence, spreading within FireRadius), ages and evaporates them.
    void advance(float dt);
    // Particles as OFFSETS from the burning object's position; every fire draws the same set (shared flames).
    const std::vector<FireParticle>& particles() const;
    // Colour and size of a particle for drawing: from InnerColor (young, centre) to OuterColor and fading
    // alpha.
    glm::vec4 colorOf(const FireParticle& p) const;

private:
    void emit(int count);
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
