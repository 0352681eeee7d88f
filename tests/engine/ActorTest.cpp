// Actor loading and animation: frame stepping, blending, looping and switching between animations
// on a tiny MD2 model written by the test.

#include "tests/engine/EngineTestSupport.h"

#include "scene/engine/AnimatedModel.h"
#include "scene/engine/FireSystem.h"
#include "scene/engine/FrameClock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

namespace vtx {
namespace {

// Frames 0..3 "walk", 4..5 "stop".
std::vector<unsigned char> walkStopModel() {
    return enginetest::writeMd2(
        enginetest::quadModel({"walk01", "walk02", "walk03", "walk04", "stop01", "stop02"}));
}

class ActorTest : public ::testing::Test {
protected:
    void SetUp() override {
        actor.loadFromBytes(walkStopModel());
        actor.interval = 100;
    }
    AnimatedModel actor;
};

TEST_F(ActorTest, LoadingDerivesAnimationsAndFramesFromTheFile) {
    ASSERT_EQ(actor.frameCount(), 6);
    ASSERT_EQ(actor.animations().size(), 2u);
    EXPECT_EQ(actor.animations()[0].name, "walk");
    EXPECT_EQ(actor.animations()[1].first, 4);
    EXPECT_EQ(actor.startFrame(), 0);
    EXPECT_EQ(actor.endFrame(), 5);
    // Frame positions decode from the packed file: frame 2 lies 20 units up z.
    EXPECT_NEAR(actor.mesh()->positions[2][0].z, 20.0f, 1e-4f);
}

TEST_F(ActorTest, AdvancesOneFramePerIntervalBlendingInBetweenAndLoopsWithinTheAnimation) {
    actor.switchAnimation("walk", false);
    EXPECT_EQ(actor.currentFrame(), 0);
    actor.doProgress(0.05);
    EXPECT_EQ(actor.currentFrame(), 0);
    EXPECT_EQ(actor.nextFrame(), 1);
    EXPECT_NEAR(actor.frameBlend(), 0.5f, 1e-5f);
    actor.doProgress(0.3); // 3.5 frames in: frame 3 blending into the loop's start
    EXPECT_EQ(actor.currentFrame(), 3);
    EXPECT_EQ(actor.nextFrame(), 0);
    EXPECT_NEAR(actor.frameBlend(), 0.5f, 1e-4f);
    actor.doProgress(0.1);
    EXPECT_EQ(actor.currentFrame(), 0);
}

TEST_F(ActorTest, SmoothSwitchBlendsIntoTheNewAnimationAtTheNextFrameChange) {
    actor.switchAnimation("walk", false);
    actor.doProgress(0.13); // frame 1, 30 % towards 2
    actor.switchAnimation("stop", true);
    EXPECT_EQ(actor.currentFrame(), 1);
    EXPECT_EQ(actor.nextFrame(), 4);
    EXPECT_NEAR(actor.frameBlend(), 0.3f, 1e-4f);
    actor.doProgress(0.07);
    EXPECT_EQ(actor.currentFrame(), 4);
    EXPECT_EQ(actor.nextFrame(), 5);
    EXPECT_EQ(actor.currentAnimation(), "stop");
    actor.doProgress(0.1);
    EXPECT_EQ(actor.currentFrame(), 5);
    EXPECT_EQ(actor.nextFrame(), 4); // loops within "stop"
}

TEST_F(ActorTest, HardSwitchJumpsAndUnknownNamesDoNothing) {
    actor.switchAnimation("walk", false);
    actor.doProgress(0.25);
    actor.switchAnimation("run", true);
    EXPECT_EQ(actor.currentFrame(), 2);
    EXPECT_EQ(actor.currentAnimation(), "walk");
    actor.switchAnimation("stop", false);
    EXPECT_EQ(actor.currentFrame(), 4);
    EXPECT_EQ(actor.frameBlend(), 0.0f);
}

TEST_F(ActorTest, SettingTheCurrentFrameClampsAndBlendsTowardsItsSuccessor) {
    actor.switchAnimation("walk", false);
    actor.setCurrentFrame(3);
    EXPECT_EQ(actor.nextFrame(), 0);
    actor.setCurrentFrame(99);
    EXPECT_EQ(actor.currentFrame(), 5);
    EXPECT_EQ(actor.nextFrame(), 0); // outside "walk": heads back into it
}

TEST_F(ActorTest, PlayOnceStopsOnTheLastFrameAndNoneDoesNotAdvance) {
    actor.switchAnimation("walk", false);
    actor.animationMode = AnimationMode::PlayOnce;
    actor.doProgress(1.0);
    EXPECT_EQ(actor.currentFrame(), 3);
    actor.animationMode = AnimationMode::None;
    actor.setCurrentFrame(1);
    actor.doProgress(1.0);
    EXPECT_EQ(actor.currentFrame(), 1);
}

TEST_F(ActorTest, AStallSkipsWholeCyclesButLandsOnTheRightFrame) {
    actor.switchAnimation("walk", false);
    actor.doProgress(1000.25); // 10002.5 frames: 10002 mod 4 = 2
    EXPECT_EQ(actor.currentFrame(), 2);
    EXPECT_NEAR(actor.frameBlend(), 0.5f, 1e-3f);
}

TEST(ActorFileTest, FileErrorsNameTheFileAndKeepTheOldModel) {
    AnimatedModel actor;
    actor.loadFromBytes(walkStopModel());
    QTemporaryDir dir;
    const std::string missing = dir.filePath("none.md2").toStdString();
    try {
        actor.loadFromFile(missing);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
    }
    const std::string broken = dir.filePath("broken.md2").toStdString();
    auto bytes = walkStopModel();
    bytes.resize(bytes.size() - 10);
    std::ofstream(broken, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    EXPECT_THROW(actor.loadFromFile(broken), std::runtime_error);
    EXPECT_EQ(actor.frameCount(), 6);

    const std::string good = dir.filePath("good.md2").toStdString();
    const auto single = enginetest::writeMd2(enginetest::quadModel({"base01"}));
    std::ofstream(good, std::ios::binary)
        .write(reinterpret_cast<const char*>(single.data()), std::streamsize(single.size()));
    actor.loadFromFile(good);
    EXPECT_EQ(actor.frameCount(), 1);
    actor.doProgress(5.0); // a single frame never moves
    EXPECT_EQ(actor.currentFrame(), 0);
}

TEST(CadencerTest, AdvancesActorsAndEachSharedFireManagerOnceAndReportsTime) {
    Scene scene;
    auto* actor = scene.objects().addChild<AnimatedModel>();
    actor->loadFromBytes(walkStopModel());
    actor->interval = 100;
    actor->visible = false; // hidden objects keep their clocks running
    auto manager = std::make_shared<FireSystem>();
    manager->params().useInterval = true;
    manager->params().particleInterval = 0.04f;
    for (int i = 0; i < 5; ++i)
        scene.objects().addChild<Group>()->effects.addFire(manager);

    // A reference manager advanced by hand the same way must match the shared one exactly.
    FireSystem reference;
    FrameClock cadencer;
    cadencer.scene = &scene;
    double lastDelta = -1, lastTime = -1;
    cadencer.onProgress = [&](double dt, double t) {
        lastDelta = dt;
        lastTime = t;
    };
    for (int i = 0; i < 10; ++i) {
        cadencer.progress(0.05);
        reference.advance(0.05);
    }
    EXPECT_EQ(actor->currentFrame(), 5);
    EXPECT_NEAR(lastDelta, 0.05, 1e-12);
    EXPECT_NEAR(lastTime, 0.5, 1e-9);
    ASSERT_EQ(manager->particles().particles().size(), reference.particles().particles().size());
    ASSERT_FALSE(reference.particles().particles().empty());
    EXPECT_EQ(manager->particles().particles()[0].age, reference.particles().particles()[0].age);
}

} // namespace
} // namespace vtx
