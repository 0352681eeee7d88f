// The transform rules of scene objects and the camera orbit, checked against hand-worked numbers.

#include "scene/engine/TDummyCube.h"
#include "scene/engine/TGLCamera.h"
#include "scene/engine/TGLScene.h"
#include "scene/engine/TPlane.h"

#include <glm/gtc/constants.hpp>

#include <gtest/gtest.h>

#include <cmath>

namespace vtx {
namespace {

void expectVec(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

glm::vec3 transform(const TGLBaseSceneObject& object, const glm::vec3& local) {
    return glm::vec3(object.absoluteMatrix() * glm::vec4(local, 1.0f));
}

TEST(TransformTest, PitchNinetyMapsModelAxesAsAnMd2ModelNeeds) {
    TDummyCube object;
    object.setPitchAngle(90.0f);
    expectVec(transform(object, {1, 2, 3}), {1, 3, -2});
    expectVec(object.Direction(), {0, 1, 0});
    expectVec(object.Up(), {0, 0, -1});
    // Then a roll of -90 turns the model's +x towards world +Z.
    object.setRollAngle(-90.0f);
    expectVec(transform(object, {1, 0, 0}), {0, 0, 1});
}

TEST(TransformTest, ScaleAndPositionApplyAfterTheRotation) {
    TDummyCube object;
    object.Scale = glm::vec3(0.1f);
    object.Position = {-10, 0, -10};
    object.setPitchAngle(90.0f);
    expectVec(transform(object, {20, 10, 0}), {-8, 0, -11});
}

TEST(TransformTest, AngleWritesAreIncrementalAndReadBackWithinPlusMinus180) {
    TDummyCube object;
    object.setTurnAngle(30.0f);
    object.setTurnAngle(90.0f); // turns by 60 more, not by 90
    expectVec(object.Direction(), {1, 0, 0});
    EXPECT_FLOAT_EQ(object.TurnAngle(), 90.0f);

    // Adding 2 degrees at a time past 180 wraps the read-back value but keeps turning the same way.
    TDummyCube spinner;
    for (int i = 0; i < 100; ++i)
        spinner.setTurnAngle(spinner.TurnAngle() + 2.0f);
    EXPECT_NEAR(spinner.TurnAngle(), -160.0f, 1e-3f);
    const float a = glm::radians(200.0f);
    expectVec(spinner.Direction(), {std::sin(a), 0.0f, std::cos(a)}, 1e-3f);

    // Writing the same value again does nothing.
    TDummyCube still;
    still.setRollAngle(45.0f);
    const glm::vec3 up = still.Up();
    still.setRollAngle(45.0f);
    expectVec(still.Up(), up);
    EXPECT_FLOAT_EQ(normalizeDegrees(540.0f), 180.0f);
    EXPECT_FLOAT_EQ(normalizeDegrees(-190.0f), 170.0f);
}

TEST(TransformTest, TurnIsRightHandedAboutUpAndPitchLiftsDirection) {
    TDummyCube object;
    object.setTurnAngle(90.0f);
    expectVec(object.Direction(), {1, 0, 0}); // +Z turned counter-clockwise seen from above
    TDummyCube pitched;
    pitched.setPitchAngle(30.0f);
    EXPECT_GT(pitched.Direction().y, 0.49f);
}

TEST(TransformTest, DirectionAndUpStayPerpendicularWhenEitherIsSet) {
    TPlane sea;
    sea.setDirection({0, 1, 0}); // parallel to the default Up: Up must be re-chosen
    sea.setUp({0, 0, -1});
    expectVec(sea.Direction(), {0, 1, 0});
    expectVec(sea.Up(), {0, 0, -1});
    expectVec(sea.Right(), {1, 0, 0});

    TDummyCube dome;
    dome.setDirection({0, 1, 0});
    dome.setUp({-0.866025f, 0.0f, 0.5f});
    EXPECT_NEAR(glm::dot(dome.Direction(), dome.Up()), 0.0f, 1e-5f);
    // The basis is right-handed: X cross Y = Z.
    expectVec(glm::cross(dome.Right(), dome.Up()), dome.Direction());
}

TEST(TransformTest, ChildrenComposeWithTheirParentsAndDieWithThem) {
    TGLScene scene;
    auto* world = scene.Objects().AddChild<TDummyCube>();
    world->Name = "World";
    world->Position = {1, 0, 0};
    world->setTurnAngle(90.0f);
    auto* child = world->AddChild<TPlane>();
    child->Name = "cell";
    child->Position = {0, 0, 2};
    expectVec(child->AbsolutePosition(), {3, 0, 0});
    EXPECT_EQ(scene.FindSceneObject("cell"), child);
    EXPECT_EQ(child->Parent(), world);

    child->setAbsolutePosition({1, 5, 0});
    expectVec(child->Position, {0, 5, 0});

    EXPECT_TRUE(scene.Objects().removeChild(world));
    EXPECT_EQ(scene.FindSceneObject("cell"), nullptr);
    EXPECT_FALSE(scene.Objects().removeChild(world));
}

class OrbitTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = scene.Objects().AddChild<TDummyCube>();
        rig = scene.Objects().AddChild<TDummyCube>();
        rig->Position = {10, 10, 10};
        camera = rig->AddChild<TGLCamera>();
        camera->TargetObject = target;
    }
    float polar() const {
        const glm::vec3 v = camera->AbsolutePosition() - target->AbsolutePosition();
        return std::acos(v.y / glm::length(v));
    }
    TGLScene scene;
    TDummyCube* target = nullptr;
    TDummyCube* rig = nullptr;
    TGLCamera* camera = nullptr;
};

TEST_F(OrbitTest, KeepsTheDistanceAndWritesARelativePosition) {
    const float distance = glm::length(camera->AbsolutePosition());
    const float before = polar();
    camera->OrbitTarget(10.0f, 0.0f);
    EXPECT_NEAR(glm::length(camera->AbsolutePosition()), distance, 1e-3f);
    EXPECT_NEAR(polar(), before + glm::radians(10.0f), 1e-4f);
    // The rig did not move; the camera's own position is relative to it.
    expectVec(rig->Position, {10, 10, 10});
    expectVec(camera->Position, camera->AbsolutePosition() - glm::vec3(10, 10, 10));
}

TEST_F(OrbitTest, TurnsAboutWorldUpByMinusTheTurnDelta) {
    camera->OrbitTarget(0.0f, -90.0f); // +90 degrees right-handed about +Y
    // (10, 10, 10) turned by +90 about Y: x' = z, z' = -x.
    expectVec(camera->AbsolutePosition(), {10, 10, -10}, 1e-3f);
}

TEST_F(OrbitTest, ClampsTheAngleFromUpAwayFromThePoles) {
    camera->OrbitTarget(-200.0f, 0.0f);
    EXPECT_NEAR(polar(), 0.025f, 1e-4f);
    camera->OrbitTarget(500.0f, 0.0f);
    EXPECT_NEAR(polar(), glm::pi<float>() - 0.025f, 1e-4f);
    // Still looking at the target from the same side.
    const glm::vec3 v = camera->AbsolutePosition();
    EXPECT_GT(v.x, 0.0f);
    EXPECT_GT(v.z, 0.0f);
}

TEST_F(OrbitTest, DoesNothingWithoutATarget) {
    camera->TargetObject = nullptr;
    camera->OrbitTarget(30.0f, 30.0f);
    expectVec(camera->Position, {0, 0, 0});
}

TEST(CameraTest, LongerFocalLengthNarrowsTheViewAndFiftyIsARightAngle) {
    TGLCamera camera;
    camera.FocalLength = 50.0f;
    EXPECT_NEAR(glm::degrees(camera.verticalFovRadians()), 90.0f, 0.1f);
    const float wide = camera.verticalFovRadians();
    camera.FocalLength = 100.0f;
    EXPECT_LT(camera.verticalFovRadians(), wide);
}

TEST(CameraTest, LooksAtTheTargetsAbsolutePosition) {
    TGLScene scene;
    auto* target = scene.Objects().AddChild<TDummyCube>();
    target->Position = {0, 0, -10};
    auto* camera = scene.Objects().AddChild<TGLCamera>();
    camera->TargetObject = target;
    const glm::vec4 inView = camera->viewMatrix() * glm::vec4(0, 0, -10, 1);
    EXPECT_NEAR(inView.x, 0.0f, 1e-4f);
    EXPECT_NEAR(inView.y, 0.0f, 1e-4f);
    EXPECT_NEAR(inView.z, -10.0f, 1e-4f);
}

} // namespace
} // namespace vtx
