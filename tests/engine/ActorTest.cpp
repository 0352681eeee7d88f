// Actor loading and animation: frame stepping, blending, looping and switching between animations
// on a tiny MD2 model written by the test.

#include "tests/engine/EngineTestSupport.h"

#include "scene/engine/TActor.h"
#include "scene/engine/TGLCadencer.h"
#include "scene/engine/TGLFireFXManager.h"

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
        actor.Interval = 100;
    }
    TActor actor;
};

TEST_F(ActorTest, LoadingDerivesAnimationsAndFramesFromTheFile) {
    ASSERT_EQ(actor.FrameCount(), 6);
    ASSERT_EQ(actor.Animations().size(), 2u);
    EXPECT_EQ(actor.Animations()[0].name, "walk");
    EXPECT_EQ(actor.Animations()[1].first, 4);
    EXPECT_EQ(actor.StartFrame(), 0);
    EXPECT_EQ(actor.EndFrame(), 5);
    // Frame positions decode from the packed file: frame 2 lies 20 units up z.
    EXPECT_NEAR(actor.mesh()->positions[2][0].z, 20.0f, 1e-4f);
}

TEST_F(ActorTest, AdvancesOneFramePerIntervalBlendingInBetweenAndLoopsWithinTheAnimation) {
    actor.SwitchAnimation("walk", false);
    EXPECT_EQ(actor.CurrentFrame(), 0);
    actor.doProgress(0.05);
    EXPECT_EQ(actor.CurrentFrame(), 0);
    EXPECT_EQ(actor.NextFrame(), 1);
    EXPECT_NEAR(actor.frameBlend(), 0.5f, 1e-5f);
    actor.doProgress(0.3); // 3.5 frames in: frame 3 blending into the loop's start
    EXPECT_EQ(actor.CurrentFrame(), 3);
    EXPECT_EQ(actor.NextFrame(), 0);
    EXPECT_NEAR(actor.frameBlend(), 0.5f, 1e-4f);
    actor.doProgress(0.1);
    EXPECT_EQ(actor.CurrentFrame(), 0);
}

TEST_F(ActorTest, SmoothSwitchBlendsIntoTheNewAnimationAtTheNextFrameChange) {
    actor.SwitchAnimation("walk", false);
    actor.doProgress(0.13); // frame 1, 30 % towards 2
    actor.SwitchAnimation("stop", true);
    EXPECT_EQ(actor.CurrentFrame(), 1);
    EXPECT_EQ(actor.NextFrame(), 4);
    EXPECT_NEAR(actor.frameBlend(), 0.3f, 1e-4f);
    actor.doProgress(0.07);
    EXPECT_EQ(actor.CurrentFrame(), 4);
    EXPECT_EQ(actor.NextFrame(), 5);
    EXPECT_EQ(actor.CurrentAnimation(), "stop");
    actor.doProgress(0.1);
    EXPECT_EQ(actor.CurrentFrame(), 5);
    EXPECT_EQ(actor.NextFrame(), 4); // loops within "stop"
}

TEST_F(ActorTest, HardSwitchJumpsAndUnknownNamesDoNothing) {
    actor.SwitchAnimation("walk", false);
    actor.doProgress(0.25);
    actor.SwitchAnimation("run", true);
    EXPECT_EQ(actor.CurrentFrame(), 2);
    EXPECT_EQ(actor.CurrentAnimation(), "walk");
    actor.SwitchAnimation("stop", false);
    EXPECT_EQ(actor.CurrentFrame(), 4);
    EXPECT_EQ(actor.frameBlend(), 0.0f);
}

TEST_F(ActorTest, SettingTheCurrentFrameClampsAndBlendsTowardsItsSuccessor) {
    actor.SwitchAnimation("walk", false);
    actor.setCurrentFrame(3);
    EXPECT_EQ(actor.NextFrame(), 0);
    actor.setCurrentFrame(99);
    EXPECT_EQ(actor.CurrentFrame(), 5);
    EXPECT_EQ(actor.NextFrame(), 0); // outside "walk": heads back into it
}

TEST_F(ActorTest, PlayOnceStopsOnTheLastFrameAndNoneDoesNotAdvance) {
    actor.SwitchAnimation("walk", false);
    actor.AnimationMode = aamPlayOnce;
    actor.doProgress(1.0);
    EXPECT_EQ(actor.CurrentFrame(), 3);
    actor.AnimationMode = aamNone;
    actor.setCurrentFrame(1);
    actor.doProgress(1.0);
    EXPECT_EQ(actor.CurrentFrame(), 1);
}

TEST_F(ActorTest, AStallSkipsWholeCyclesButLandsOnTheRightFrame) {
    actor.SwitchAnimation("walk", false);
    actor.doProgress(1000.25); // 10002.5 frames: 10002 mod 4 = 2
    EXPECT_EQ(actor.CurrentFrame(), 2);
    EXPECT_NEAR(actor.frameBlend(), 0.5f, 1e-3f);
}

TEST(ActorFileTest, FileErrorsNameTheFileAndKeepTheOldModel) {
    TActor actor;
    actor.loadFromBytes(walkStopModel());
    QTemporaryDir dir;
    const std::string missing = dir.filePath("none.md2").toStdString();
    try {
        actor.LoadFromFile(missing);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
    }
    const std::string broken = dir.filePath("broken.md2").toStdString();
    auto bytes = walkStopModel();
    bytes.resize(bytes.size() - 10);
    std::ofstream(broken, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    EXPECT_THROW(actor.LoadFromFile(broken), std::runtime_error);
    EXPECT_EQ(actor.FrameCount(), 6);

    const std::string good = dir.filePath("good.md2").toStdString();
    const auto single = enginetest::writeMd2(enginetest::quadModel({"base01"}));
    std::ofstream(good, std::ios::binary)
        .write(reinterpret_cast<const char*>(single.data()), std::streamsize(single.size()));
    actor.LoadFromFile(good);
    EXPECT_EQ(actor.FrameCount(), 1);
    actor.doProgress(5.0); // a single frame never moves
    EXPECT_EQ(actor.CurrentFrame(), 0);
}

TEST(CadencerTest, AdvancesActorsAndEachSharedFireManagerOnceAndReportsTime) {
    TGLScene scene;
    auto* actor = scene.Objects().AddChild<TActor>();
    actor->loadFromBytes(walkStopModel());
    actor->Interval = 100;
    actor->Visible = false; // hidden objects keep their clocks running
    auto manager = std::make_shared<TGLFireFXManager>();
    manager->params().UseInterval = true;
    manager->params().ParticleInterval = 0.04f;
    for (int i = 0; i < 5; ++i)
        scene.Objects().AddChild<TDummyCube>()->Effects.addFire(manager);

    // A reference manager advanced by hand the same way must match the shared one exactly.
    TGLFireFXManager reference;
    TGLCadencer cadencer;
    cadencer.Scene = &scene;
    double lastDelta = -1, lastTime = -1;
    cadencer.OnProgress = [&](double dt, double t) {
        lastDelta = dt;
        lastTime = t;
    };
    for (int i = 0; i < 10; ++i) {
        cadencer.progress(0.05);
        reference.advance(0.05);
    }
    EXPECT_EQ(actor->CurrentFrame(), 5);
    EXPECT_NEAR(lastDelta, 0.05, 1e-12);
    EXPECT_NEAR(lastTime, 0.5, 1e-9);
    ASSERT_EQ(manager->particles().particles().size(), reference.particles().particles().size());
    ASSERT_FALSE(reference.particles().particles().empty());
    EXPECT_EQ(manager->particles().particles()[0].age, reference.particles().particles()[0].age);
}

} // namespace
} // namespace vtx
