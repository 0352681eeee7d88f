#include "scene/engine/formats/PlaneGrid.h"

#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <cmath>
#include <utility>
#include <vector>

namespace vtx {
namespace {

void addPlane(std::vector<float>& planes, const glm::mat4& model, float repeatU, float repeatV) {
    const float* m = glm::value_ptr(model);
    planes.insert(planes.end(), m, m + 16);
    planes.push_back(repeatU);
    planes.push_back(repeatV);
}

// What a point of the board's plane shows: how many planes cover it, and the texel place (the
// fraction of u and v, the texture repeating) of the last of them.
std::pair<int, glm::vec2> seenAt(const std::vector<float>& planes, const glm::vec3& point) {
    int covering = 0;
    glm::vec2 uv(-1.0f);
    for (std::size_t i = 0; i < planes.size(); i += kPlaneFloats) {
        const glm::mat4 m = glm::make_mat4(&planes[i]);
        const glm::vec3 ax(m[0]), ay(m[1]), d = point - glm::vec3(m[3]);
        const float x = glm::dot(d, ax) / glm::dot(ax, ax), y = glm::dot(d, ay) / glm::dot(ay, ay);
        if (std::fabs(x) >= 0.5f || std::fabs(y) >= 0.5f) continue;
        ++covering;
        const glm::vec2 raw((x + 0.5f) * planes[i + 16], (0.5f - y) * planes[i + 17]);
        uv = raw - glm::floor(raw);
    }
    return {covering, uv};
}

// A turned board of 1 x 1 cells with holes, a cell lying twice and a cell with a texture repeated
// twice: every point shows what it showed before, from far fewer planes.
TEST(PlaneGridTest, JoinedCellsShowEveryTexelTheyShowedBefore) {
    const glm::mat4 world = glm::rotate(glm::mat4(1.0f), 0.7f, glm::vec3(0, 1, 0));
    const glm::mat4 flat = glm::rotate(glm::mat4(1.0f), -glm::half_pi<float>(), glm::vec3(1, 0, 0));
    std::vector<float> cells;
    int count = 0;
    for (int row = 1; row <= 10; ++row)
        for (int column = 1; column <= 10; ++column) {
            if ((row == 3 && column == 4) || (row == 7 && column >= 6)) continue;
            const glm::mat4 at = world * glm::translate(glm::mat4(1.0f), glm::vec3(column - 5, 0.1f, row));
            addPlane(cells, at * flat, row == 9 && column == 2 ? 2.0f : 1.0f, 1.0f);
            ++count;
            if (row == 5 && column == 5) addPlane(cells, at * flat, 1.0f, 1.0f), ++count;
        }
    std::vector<float> joined = cells;
    const int left = joinAdjacentPlanes(joined);
    EXPECT_EQ(std::size_t(left) * kPlaneFloats, joined.size());
    EXPECT_LE(left, 12);
    for (float x = -5.13f; x < 6.0f; x += 0.37f)
        for (float z = 0.11f; z < 11.0f; z += 0.29f) {
            const glm::vec3 point = glm::vec3(world * glm::vec4(x, 0.1f, z, 1.0f));
            const auto before = seenAt(cells, point), after = seenAt(joined, point);
            ASSERT_EQ(after.first, before.first) << x << ", " << z;
            EXPECT_NEAR(after.second.x, before.second.x, 1e-3f) << x << ", " << z;
            EXPECT_NEAR(after.second.y, before.second.y, 1e-3f) << x << ", " << z;
        }

    std::vector<float> apart; // planes with a gap between them stay as they are
    addPlane(apart, glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 0)), 1.0f, 1.0f);
    addPlane(apart, glm::translate(glm::mat4(1.0f), glm::vec3(1.5f, 0, 0)), 1.0f, 1.0f);
    EXPECT_EQ(joinAdjacentPlanes(apart), 2);
}

} // namespace
} // namespace vtx
