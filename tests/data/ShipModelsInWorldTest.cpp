// The generated ships, trees and island loaded by the engine and placed the way the game places
// them: every ship must cover exactly its cells on the board and float.

#include "scene/engine/AnimatedModel.h"
#include "scene/engine/Scene.h"

#include <gtest/gtest.h>

#include <glm/glm.hpp>

#include <algorithm>
#include <limits>
#include <string>

namespace vtx {
namespace {

const std::string kData = std::string(VTX_BINARY_DIR) + "/run/DATA/";

struct Box {
    glm::vec3 lo{std::numeric_limits<float>::max()};
    glm::vec3 hi{std::numeric_limits<float>::lowest()};
};

// World-space bounds of every frame of the actor, through the engine's own transform.
Box worldBounds(const AnimatedModel& actor) {
    Box box;
    const glm::mat4 m = actor.absoluteMatrix();
    for (const auto& frame : actor.mesh()->positions)
        for (const glm::vec3& p : frame) {
            const glm::vec3 w = glm::vec3(m * glm::vec4(p, 1.0f));
            box.lo = glm::min(box.lo, w);
            box.hi = glm::max(box.hi, w);
        }
    return box;
}

TEST(ShipModelsInWorld, EachShipCoversItsCellsAlongARowOrAColumnAndFloats) {
    for (int length = 1; length <= 4; ++length) {
        for (const bool horizontal : {true, false}) {
            SCOPED_TRACE("length " + std::to_string(length) +
                         (horizontal ? " along a row" : " down a column"));
            Scene scene;
            auto* ship = scene.objects().addChild<AnimatedModel>();
            ship->scale = glm::vec3(0.03f);
            ship->loadFromFile(kData + "ship" + std::to_string(length) + "t.md2");
            ship->setPitchAngle(90);
            ship->setRollAngle(horizontal ? 0 : -90);
            // The own board's cell at row 3, column 4: centre (-1, 0, 3).
            ship->position = glm::vec3(-1, 0, 3);

            const Box box = worldBounds(*ship);
            const float along0 = horizontal ? box.lo.x : box.lo.z;
            const float along1 = horizontal ? box.hi.x : box.hi.z;
            const float across0 = horizontal ? box.lo.z : box.lo.x;
            const float across1 = horizontal ? box.hi.z : box.hi.x;
            const float first = horizontal ? -1.0f : 3.0f;
            // The hull starts in the first cell and ends in the last, within a tenth of a cell.
            EXPECT_NEAR(along0, first - 0.5f, 0.1f);
            EXPECT_NEAR(along1, first + float(length) - 0.5f, 0.1f);
            // It stays inside its row or column and floats: a shallow draft, nothing sunk.
            EXPECT_GT(across0, (horizontal ? 3.0f : -1.0f) - 0.5f);
            EXPECT_LT(across1, (horizontal ? 3.0f : -1.0f) + 0.5f);
            EXPECT_GT(box.lo.y, -0.15f);
            EXPECT_GT(box.hi.y, 0.3f);
            EXPECT_LT(box.hi.y, 2.0f);
            EXPECT_FALSE(ship->animations().empty());
        }
    }
}

TEST(ShipModelsInWorld, TreesStandOnTheIslandBesideTheEnemyBoard) {
    Scene scene;
    auto* isle = scene.objects().addChild<AnimatedModel>();
    isle->position = glm::vec3(-10, 0, -10);
    isle->scale = glm::vec3(0.1f);
    isle->loadFromFile(kData + "isle.md2");
    isle->setPitchAngle(90);
    const Box island = worldBounds(*isle);
    // Clear of the enemy board, which starts at X -4.5.
    EXPECT_LT(island.hi.x, -4.5f);
    EXPECT_LT(island.lo.y, 0.0f);

    for (const glm::vec3 at : {glm::vec3(-8, 1, -11), glm::vec3(-11, 1, -11)}) {
        auto* tree = scene.objects().addChild<AnimatedModel>();
        tree->position = at;
        tree->scale = glm::vec3(0.03f);
        tree->loadFromFile(kData + "tree.md2");
        tree->setPitchAngle(90);
        const Box box = worldBounds(*tree);
        EXPECT_NEAR(box.lo.y, 1.0f, 0.2f);
        EXPECT_GT(box.hi.y, 3.0f);
        // The tree's foot lies over the island.
        EXPECT_GT(at.x, island.lo.x);
        EXPECT_LT(at.x, island.hi.x);
        EXPECT_GT(at.z, island.lo.z);
        EXPECT_LT(at.z, island.hi.z);
    }
}

} // namespace
} // namespace vtx
