// The transform rules of scene objects and the camera orbit, checked against hand-worked numbers.

#include "scene/engine/Camera.h"
#include "scene/engine/Group.h"
#include "scene/engine/Plane.h"
#include "scene/engine/Scene.h"

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

glm::vec3 transform(const SceneObject& object, const glm::vec3& local) {
    return glm::vec3(object.absoluteMatrix() * glm::vec4(local, 1.0f));
}

TEST(TransformTest, PitchNinetyMapsModelAxesAsAnMd2ModelNeeds) {
    Group object;
    object.setPitchAngle(90.0f);
    expectVec(transform(object, {1, 2, 3}), {1, 3, -2});
    expectVec(object.direction(), {0, 1, 0});
    expectVec(object.up(), {0, 0, -1});
    // Then a roll of -90 turns the model's +x towards world +Z.
    object.setRollAngle(-90.0f);
    expectVec(transform(object, {1, 0, 0}), {0, 0, 1});
}

TEST(TransformTest, ScaleAndPositionApplyAfterTheRotation) {
    Group object;
    object.scale = glm::vec3(0.1f);
    object.position = {-10, 0, -10};
    object.setPitchAngle(90.0f);
    expectVec(transform(object, {20, 10, 0}), {-8, 0, -11});
}

TEST(TransformTest, AngleWritesAreIncrementalAndReadBackWithinPlusMinus180) {
    Group object;
    object.setTurnAngle(30.0f);
    object.setTurnAngle(90.0f); // turns by 60 more, not by 90
    expectVec(object.direction(), {1, 0, 0});
    EXPECT_FLOAT_EQ(object.turnAngle(), 90.0f);

    // Adding 2 degrees at a time past 180 wraps the read-back value but keeps turning the same way.
    Group spinner;
    for (int i = 0; i < 100; ++i)
        spinner.setTurnAngle(spinner.turnAngle() + 2.0f);
    EXPECT_NEAR(spinner.turnAngle(), -160.0f, 1e-3f);
    const float a = glm::radians(200.0f);
    expectVec(spinner.direction(), {std::sin(a), 0.0f, std::cos(a)}, 1e-3f);

    // Writing the same value again does nothing.
    Group still;
    still.setRollAngle(45.0f);
    const glm::vec3 up = still.up();
    still.setRollAngle(45.0f);
    expectVec(still.up(), up);
    EXPECT_FLOAT_EQ(normalizeDegrees(540.0f), 180.0f);
    EXPECT_FLOAT_EQ(normalizeDegrees(-190.0f), 170.0f);
}

TEST(TransformTest, TurnIsRightHandedAboutUpAndPitchLiftsDirection) {
    Group object;
    object.setTurnAngle(90.0f);
    expectVec(object.direction(), {1, 0, 0}); // +Z turned counter-clockwise seen from above
    Group pitched;
    pitched.setPitchAngle(30.0f);
    EXPECT_GT(pitched.direction().y, 0.49f);
}

TEST(TransformTest, DirectionAndUpStayPerpendicularWhenEitherIsSet) {
    Plane sea;
    sea.setDirection({0, 1, 0}); // parallel to the default Up: Up must be re-chosen
    sea.setUp({0, 0, -1});
    expectVec(sea.direction(), {0, 1, 0});
    expectVec(sea.up(), {0, 0, -1});
    expectVec(sea.right(), {1, 0, 0});

    Group dome;
    dome.setDirection({0, 1, 0});
    dome.setUp({-0.866025f, 0.0f, 0.5f});
    EXPECT_NEAR(glm::dot(dome.direction(), dome.up()), 0.0f, 1e-5f);
    // The basis is right-handed: X cross Y = Z.
    expectVec(glm::cross(dome.right(), dome.up()), dome.direction());
}

TEST(TransformTest, ChildrenComposeWithTheirParentsAndDieWithThem) {
    Scene scene;
    auto* world = scene.objects().addChild<Group>();
    world->name = "World";
    world->position = {1, 0, 0};
    world->setTurnAngle(90.0f);
    auto* child = world->addChild<Plane>();
    child->name = "cell";
    child->position = {0, 0, 2};
    expectVec(child->absolutePosition(), {3, 0, 0});
    EXPECT_EQ(scene.findSceneObject("cell"), child);
    EXPECT_EQ(child->parent(), world);

    child->setAbsolutePosition({1, 5, 0});
    expectVec(child->position, {0, 5, 0});

    EXPECT_TRUE(scene.objects().removeChild(world));
    EXPECT_EQ(scene.findSceneObject("cell"), nullptr);
    EXPECT_FALSE(scene.objects().removeChild(world));
}

class OrbitTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = scene.objects().addChild<Group>();
        rig = scene.objects().addChild<Group>();
        rig->position = {10, 10, 10};
        camera = rig->addChild<Camera>();
        camera->targetObject = target;
    }
    float polar() const {
        const glm::vec3 v = camera->absolutePosition() - target->absolutePosition();
        return std::acos(v.y / glm::length(v));
    }
    Scene scene;
    Group* target = nullptr;
    Group* rig = nullptr;
    Camera* camera = nullptr;
};

TEST_F(OrbitTest, KeepsTheDistanceAndWritesARelativePosition) {
    const float distance = glm::length(camera->absolutePosition());
    const float before = polar();
    camera->orbitTarget(10.0f, 0.0f);
    EXPECT_NEAR(glm::length(camera->absolutePosition()), distance, 1e-3f);
    EXPECT_NEAR(polar(), before + glm::radians(10.0f), 1e-4f);
    // The rig did not move; the camera's own position is relative to it.
    expectVec(rig->position, {10, 10, 10});
    expectVec(camera->position, camera->absolutePosition() - glm::vec3(10, 10, 10));
}

TEST_F(OrbitTest, TurnsAboutWorldUpByMinusTheTurnDelta) {
    camera->orbitTarget(0.0f, -90.0f); // +90 degrees right-handed about +Y
    // (10, 10, 10) turned by +90 about Y: x' = z, z' = -x.
    expectVec(camera->absolutePosition(), {10, 10, -10}, 1e-3f);
}

TEST_F(OrbitTest, ClampsTheAngleFromUpAwayFromThePoles) {
    camera->orbitTarget(-200.0f, 0.0f);
    EXPECT_NEAR(polar(), 0.025f, 1e-4f);
    camera->orbitTarget(500.0f, 0.0f);
    EXPECT_NEAR(polar(), glm::pi<float>() - 0.025f, 1e-4f);
    // Still looking at the target from the same side.
    const glm::vec3 v = camera->absolutePosition();
    EXPECT_GT(v.x, 0.0f);
    EXPECT_GT(v.z, 0.0f);
}

TEST_F(OrbitTest, DoesNothingWithoutATarget) {
    camera->targetObject = nullptr;
    camera->orbitTarget(30.0f, 30.0f);
    expectVec(camera->position, {0, 0, 0});
}

TEST(CameraTest, LongerFocalLengthNarrowsTheViewAndFiftyIsARightAngle) {
    Camera camera;
    camera.focalLength = 50.0f;
    EXPECT_NEAR(glm::degrees(camera.verticalFovRadians()), 90.0f, 0.1f);
    const float wide = camera.verticalFovRadians();
    camera.focalLength = 100.0f;
    EXPECT_LT(camera.verticalFovRadians(), wide);
}

TEST(CameraTest, LooksAtTheTargetsAbsolutePosition) {
    Scene scene;
    auto* target = scene.objects().addChild<Group>();
    target->position = {0, 0, -10};
    auto* camera = scene.objects().addChild<Camera>();
    camera->targetObject = target;
    const glm::vec4 inView = camera->viewMatrix() * glm::vec4(0, 0, -10, 1);
    EXPECT_NEAR(inView.x, 0.0f, 1e-4f);
    EXPECT_NEAR(inView.y, 0.0f, 1e-4f);
    EXPECT_NEAR(inView.z, -10.0f, 1e-4f);
}

} // namespace
} // namespace vtx
