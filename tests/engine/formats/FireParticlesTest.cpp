#include "scene/engine/formats/FireParticles.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(FireParticles, CountStaysWithinMaxParticlesAndScalesWithBurst) {
    FireParticles fire;
    fire.params.maxParticles = 40;
    fire.params.fireBurst = 5.0f; // 125 births per second: the limit is what holds the count
    std::size_t most = 0;
    for (int i = 0; i < 300; ++i) {
        fire.advance(1.0f / 60.0f);
        most = std::max(most, fire.particles().size());
        ASSERT_LE(fire.particles().size(), 40u);
    }
    EXPECT_EQ(most, 40u);

    FireParticles calm, strong;
    strong.params.fireBurst = 2.0f;
    for (int i = 0; i < 30; ++i) { // 0.5 s: nobody dies young yet
        calm.advance(1.0f / 60.0f);
        strong.advance(1.0f / 60.0f);
    }
    // One emission per 0.04 s: about 12 with fireBurst 1, twice that with 2.
    EXPECT_NEAR(double(calm.particles().size()), 12.0, 1.0);
    EXPECT_EQ(strong.particles().size(), 2 * calm.particles().size());
}

TEST(FireParticles, ParticlesAreBornNearTheCentreRiseAlongFireDirAndDie) {
    FireParticles fire(7);
    fire.params.initialDir = glm::vec3(0.0f);
    fire.advance(0.05f);
    ASSERT_FALSE(fire.particles().empty());
    for (const FireParticle& p : fire.particles())
        EXPECT_LT(glm::length(p.offset), 0.1f + 0.05f * 1.0f); // fireRadius plus at most one step of travel
    for (int i = 0; i < 90; ++i)
        fire.advance(1.0f / 60.0f);
    float sumHeight = 0.0f, oldestHeight = -1.0f, oldest = 0.0f;
    for (const FireParticle& p : fire.particles()) {
        sumHeight += p.offset.y;
        if (p.age > oldest) {
            oldest = p.age;
            oldestHeight = p.offset.y;
        }
        EXPECT_LT(p.age, p.life);
        EXPECT_GT(p.size, 0.0f);
        EXPECT_LE(p.size, fire.params.particleSize);
        EXPECT_LT(std::abs(p.offset.x), 0.5f); // the spread stays around the axis
    }
    EXPECT_GT(sumHeight / float(fire.particles().size()), 0.05f);
    EXPECT_GT(oldestHeight, 0.15f);

    // Lift along another axis: the flame follows fireDir.
    FireParticles sideways(7);
    sideways.params.fireDir = glm::vec3(0.3f, 0.0f, 0.0f);
    sideways.params.initialDir = glm::vec3(0.0f);
    for (int i = 0; i < 60; ++i)
        sideways.advance(1.0f / 60.0f);
    float sumX = 0.0f;
    for (const FireParticle& p : sideways.particles())
        sumX += p.offset.x;
    EXPECT_GT(sumX / float(sideways.particles().size()), 0.05f);

    // Without emission every particle is gone once the longest life has passed.
    fire.params.fireBurst = 0.0f;
    for (int i = 0; i < 5; ++i)
        fire.advance(0.5f);
    EXPECT_TRUE(fire.particles().empty());
}

TEST(FireParticles, DeterministicForASeedAndSafeOnOddTicks) {
    FireParticles a(42), b(42), c(43);
    for (int i = 0; i < 100; ++i) {
        a.advance(0.02f);
        b.advance(0.02f);
        c.advance(0.02f);
    }
    ASSERT_EQ(a.particles().size(), b.particles().size());
    for (std::size_t i = 0; i < a.particles().size(); ++i) {
        EXPECT_EQ(a.particles()[i].offset, b.particles()[i].offset);
        EXPECT_EQ(a.particles()[i].velocity, b.particles()[i].velocity);
    }
    ASSERT_FALSE(c.particles().empty());
    EXPECT_NE(a.particles()[0].offset, c.particles()[0].offset);

    // A stalled cadencer's huge, zero, negative or NaN tick does not explode the fire.
    a.advance(1000.0f);
    a.advance(0.0f);
    a.advance(-1.0f);
    a.advance(std::numeric_limits<float>::quiet_NaN());
    EXPECT_LE(a.particles().size(), 128u);
    for (const FireParticle& p : a.particles())
        EXPECT_TRUE(std::isfinite(p.offset.x) && std::isfinite(p.offset.y) && std::isfinite(p.offset.z));
}

TEST(FireParticles, AbsurdParametersStayBoundedAndQuick) {
    // A zero-ish interval asks for billions of emissions and a huge burst for billions of particles:
    // the pool fills, nothing overflows or loops for long.
    FireParticles fire;
    fire.params.particleInterval = 1e-9f;
    fire.params.fireBurst = 1e30f;
    fire.advance(0.5f);
    EXPECT_EQ(fire.particles().size(), 128u);
    fire.params.fireBurst = std::numeric_limits<float>::quiet_NaN();
    fire.params.maxParticles = -5;
    // One second per call at most: a stalled cadencer does not skip the fire's life.
    for (int i = 0; i < 3; ++i)
        fire.advance(1.0f);
    EXPECT_TRUE(fire.particles().empty());
}

TEST(FireParticles, ColourRunsFromInnerToOuterAndFades) {
    FireParticles fire;
    FireParticle p;
    p.life = 2.0f;
    p.age = 0.0f;
    const glm::vec4 young = fire.colorOf(p);
    EXPECT_EQ(glm::vec3(young), glm::vec3(fire.params.innerColor));
    EXPECT_NEAR(young.a, fire.params.fireDensity, 1e-6f);
    p.age = 1.2f;
    const glm::vec4 old = fire.colorOf(p);
    EXPECT_EQ(glm::vec3(old), glm::vec3(fire.params.outerColor));
    EXPECT_LT(old.a, young.a);
    p.age = 2.0f;
    EXPECT_EQ(fire.colorOf(p).a, 0.0f);
}

} // namespace
} // namespace vtx
