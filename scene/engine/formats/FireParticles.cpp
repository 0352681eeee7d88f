#include "scene/engine/formats/FireParticles.h"

#include <algorithm>
#include <cmath>

namespace vtx {

namespace {

constexpr float kMaxStep = 1.0f / 30.0f; // longest integration sub-step, seconds
constexpr float kMaxAdvance = 1.0f;      // a stalled cadencer's longer tick is taken as this
constexpr float kDragPerSecond = 0.25f;  // per-second retention of a particle's own velocity
constexpr float kLiftGain = 5.0f;        // lift acceleration = fireDir * gain (1/s)
constexpr float kTurbulence = 6.0f;      // random acceleration, in fireRadius per second squared
constexpr float kAxisPull = 3.0f;        // spring (1/s^2) pulling particles back towards the flame's axis

} // namespace

FireParticles::FireParticles(std::uint32_t seed) : m_rng(seed) {}

float FireParticles::uniform() {
    // 24 random bits -> [0, 1); independent of the standard library's distributions, so the same seed
    // gives the same flames everywhere.
    return static_cast<float>(m_rng() >> 8) * (1.0f / 16777216.0f);
}

glm::vec3 FireParticles::inBall(float radius) {
    for (;;) {
        const glm::vec3 v(uniform() * 2.0f - 1.0f, uniform() * 2.0f - 1.0f, uniform() * 2.0f - 1.0f);
        if (glm::dot(v, v) <= 1.0f) return v * radius;
    }
}

void FireParticles::spawn(int count) {
    const int room = std::max(0, params.maxParticles) - static_cast<int>(m_particles.size());
    count = std::min(count, room);
    for (int k = 0; k < count; ++k) {
        FireParticle p;
        p.offset = inBall(std::max(0.0f, params.fireRadius));
        // The initial push, varied per particle, and a little scatter outward from the centre.
        p.velocity =
            params.initialDir * (0.6f + 0.4f * uniform()) + inBall(std::max(0.0f, params.fireRadius));
        p.age = 0.0f;
        p.life = std::max(1e-3f, params.particleLife) * (0.75f + 0.25f * uniform());
        p.size = sizeAt(p);
        m_particles.push_back(p);
    }
}

float FireParticles::sizeAt(const FireParticle& p) const {
    // Grows to full size over the first third of its life, then shrinks as it evaporates.
    const float f = std::clamp(p.age / p.life, 0.0f, 1.0f);
    const float shape = f < 1.0f / 3.0f ? 0.4f + 0.6f * (f * 3.0f) : 1.0f - 0.7f * ((f - 1.0f / 3.0f) * 1.5f);
    return params.particleSize * shape * evaporation(p);
}

float FireParticles::evaporation(const FireParticle& p) const {
    return std::pow(std::clamp(params.fireEvaporation, 0.0f, 1.0f), p.age);
}

void FireParticles::step(float dt) {
    const glm::vec3 lift = params.fireDir * kLiftGain;
    const float liftLength = glm::length(params.fireDir);
    const glm::vec3 axis = liftLength > 1e-6f ? params.fireDir / liftLength : glm::vec3(0.0f, 1.0f, 0.0f);
    const float drag = std::pow(kDragPerSecond, dt);
    const float turbulence = kTurbulence * std::max(0.0f, params.fireRadius);
    for (FireParticle& p : m_particles) {
        const glm::vec3 sideways = p.offset - axis * glm::dot(p.offset, axis);
        const glm::vec3 accel = lift + inBall(turbulence) - sideways * kAxisPull;
        p.velocity = p.velocity * drag + accel * dt;
        p.offset += p.velocity * dt;
        p.age += dt;
        p.size = sizeAt(p);
    }
    std::erase_if(m_particles, [](const FireParticle& p) { return p.age >= p.life; });

    // Emissions: fireBurst particles per emission (the fraction carried over), every particleInterval
    // seconds with useInterval, else once per sub-step. Counts are capped so that absurd parameters
    // (a zero interval, a huge burst) cost no more than filling the pool.
    const float cap = float(std::max(0, params.maxParticles)) + 1.0f;
    float emissions = 1.0f;
    if (params.useInterval && params.particleInterval > 0.0f) {
        m_sinceEmission += dt;
        emissions = std::floor(m_sinceEmission / params.particleInterval);
        m_sinceEmission -= emissions * params.particleInterval;
        if (!(m_sinceEmission >= 0.0f && m_sinceEmission < params.particleInterval))
            m_sinceEmission = 0.0f; // rounding or a huge count: start afresh
    }
    const float burst = params.fireBurst > 0.0f ? std::min(params.fireBurst, cap) : 0.0f;
    m_burstCarry += std::min(emissions, cap) * burst;
    const float births = std::floor(m_burstCarry);
    m_burstCarry -= births;
    spawn(static_cast<int>(std::min(births, cap)));
}

void FireParticles::advance(float dt) {
    if (!(dt > 0.0f)) return; // zero, negative and NaN ticks change nothing
    dt = std::min(dt, kMaxAdvance);
    while (dt > 0.0f) {
        const float h = std::min(dt, kMaxStep);
        step(h);
        dt -= h;
    }
}

const std::vector<FireParticle>& FireParticles::particles() const {
    return m_particles;
}

glm::vec4 FireParticles::colorOf(const FireParticle& p) const {
    const float f = std::clamp(p.age / std::max(p.life, 1e-6f), 0.0f, 1.0f);
    // Inner colour while young, outer colour by mid-life; the alpha fades out towards the end.
    const float t = std::clamp(f * 2.0f, 0.0f, 1.0f);
    glm::vec4 c = params.innerColor + (params.outerColor - params.innerColor) * t;
    c.a *= std::clamp(params.fireDensity, 0.0f, 1.0f) * (1.0f - f) * evaporation(p);
    return c;
}

} // namespace vtx
