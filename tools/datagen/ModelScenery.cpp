#include "tools/datagen/ModelBuilders.h"
#include "tools/datagen/ModelMd2Writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vtx::datagen {

namespace {

// DATA/ship.jpg: bark in the left half, needles in the right half.
constexpr SkinRect kBark{4, 4, 124, 252};
constexpr SkinRect kNeedles{132, 4, 252, 252};

// The island's footprint is a wobbly disc around this centre, clipped so that
// no point lies farther than kIslandLimit from the model origin.
constexpr ModelVec kIslandCentre{5.0, 5.0, 0.0};
constexpr double kIslandLimit = 39.5;
constexpr double kSeabed = -5.0;
constexpr double kTreeGround = 10.4; // a little above z 10, so the trunks stand in the ground
constexpr std::array<ModelVec, 2> kTreeSpots{{{20.0, 10.0, 0.0}, {-10.0, 10.0, 0.0}}};
constexpr double kBeachTop = 2.0;

double gauss(double d2, double sigma) {
    return std::exp(-d2 / (2.0 * sigma * sigma));
}

double islandRadius(double angle) {
    const double wobble = 31.0 + 3.0 * std::sin(3.0 * angle + 0.5) + 2.0 * std::sin(5.0 * angle + 2.1) +
                          1.5 * std::sin(7.0 * angle + 0.3);
    // Farthest distance along this direction that stays within the limit of the origin.
    const double dx = std::cos(angle), dy = std::sin(angle);
    const double cd = kIslandCentre.x * dx + kIslandCentre.y * dy;
    const double c2 = kIslandCentre.x * kIslandCentre.x + kIslandCentre.y * kIslandCentre.y;
    const double limit = -cd + std::sqrt(cd * cd - c2 + kIslandLimit * kIslandLimit);
    return std::min(wobble, limit);
}

// The mound without the levelling of the tree spots.
double roughHeight(double x, double y) {
    const double dx = x - kIslandCentre.x, dy = y - kIslandCentre.y;
    const double t = std::min(std::hypot(dx, dy) / islandRadius(std::atan2(dy, dx)), 1.0);
    double core = 5.0;
    for (const auto& spot : kTreeSpots)
        core += 8.5 * gauss((x - spot.x) * (x - spot.x) + (y - spot.y) * (y - spot.y), 7.0);
    // Rocky unevenness: fixed waves, no randomness needed.
    core +=
        1.2 * std::sin(0.31 * x + 0.7) * std::sin(0.27 * y + 1.3) + 0.6 * std::sin(0.73 * x - 0.52 * y + 2.0);
    return kSeabed + (core - kSeabed) * (1.0 - std::pow(t, 5.0));
}

} // namespace

double islandHeight(double x, double y) {
    double z = roughHeight(x, y);
    // Level each tree spot to the trees' ground height with a small local bump.
    for (const auto& spot : kTreeSpots) {
        const double d2 = (x - spot.x) * (x - spot.x) + (y - spot.y) * (y - spot.y);
        z += (kTreeGround - roughHeight(spot.x, spot.y)) * gauss(d2, 3.0);
    }
    return z;
}

ModelMesh buildIslandMesh() {
    constexpr int rings = 14, segments = 40;
    ModelMesh mesh;
    auto point = [](int ring, int segment) {
        const double angle = 2.0 * std::numbers::pi * segment / segments;
        const double r = islandRadius(angle) * ring / rings;
        const double x = kIslandCentre.x + r * std::cos(angle), y = kIslandCentre.y + r * std::sin(angle);
        return ModelVec{x, y, ring == rings ? kSeabed : islandHeight(x, y)};
    };
    const int centre =
        mesh.addVertex({kIslandCentre.x, kIslandCentre.y, islandHeight(kIslandCentre.x, kIslandCentre.y)});
    std::vector<std::vector<int>> grid(rings + 1);
    for (int i = 1; i <= rings; ++i)
        for (int j = 0; j < segments; ++j)
            grid[i].push_back(mesh.addVertex(point(i, j)));
    // Planar mapping over the island's extent; triangles lying mostly below the
    // beach line take the sandy rows of the picture.
    auto tex = [&](int v, bool beach) {
        const ModelVec p = mesh.vertices()[v];
        const double s = (p.x + 40.0) / 80.0 * 255.0, across = (p.y + 40.0) / 80.0;
        return mesh.addTexCoord(s, beach ? 192.0 + across * 63.0 : across * 188.0);
    };
    auto triangle = [&](int a, int b, int c) {
        const auto& v = mesh.vertices();
        const bool beach = (v[a].z + v[b].z + v[c].z) / 3.0 < kBeachTop;
        mesh.addTriangle({a, b, c}, {tex(a, beach), tex(b, beach), tex(c, beach)});
    };
    for (int j = 0; j < segments; ++j) {
        const int k = (j + 1) % segments;
        triangle(centre, grid[1][j], grid[1][k]);
        for (int i = 1; i < rings; ++i) {
            triangle(grid[i][j], grid[i + 1][j], grid[i + 1][k]);
            triangle(grid[i][j], grid[i + 1][k], grid[i][k]);
        }
    }
    return mesh;
}

std::vector<unsigned char> islandModelFile() {
    const ModelMesh mesh = buildIslandMesh();
    return writeMd2(mesh, {{"base01", mesh.vertices()}}, "grass.jpg");
}

ModelMesh buildTreeMesh() {
    ModelMesh mesh;
    mesh.addFrustum({0, 0, 0}, {0, 0, 46}, 3.2, 1.4, 7, kBark, false, false, kBark);
    // Tiers of needles, each a ragged cone with a flat underside.
    struct Tier {
        double base, radius, height;
    };
    const Tier tiers[] = {{22, 21, 34}, {40, 17.5, 31}, {57, 13.5, 27}, {72, 9.5, 28}};
    for (const auto& tier : tiers)
        mesh.addFrustum({0, 0, tier.base}, {0, 0, tier.base + tier.height}, tier.radius, 0.0, 10, kNeedles,
                        true, false, kNeedles, 1.0, 0.14);
    return mesh;
}

std::vector<unsigned char> treeModelFile() {
    const ModelMesh mesh = buildTreeMesh();
    return writeMd2(mesh, {{"base01", mesh.vertices()}}, "ship.jpg");
}

} // namespace vtx::datagen
