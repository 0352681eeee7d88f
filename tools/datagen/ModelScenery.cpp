#include "tools/datagen/ModelBuilders.h"
#include "tools/datagen/ModelMd2Writer.h"

#include "game/DataFiles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vtx::datagen {

namespace {

// DATA/ship.jpg: bark in the left half, needles in the right half: the
// outside of the boughs above (apex at the top row, branch tips at the
// bottom), their shaded undersides below.
constexpr SkinRect kBark{4, 4, 124, 252};
constexpr SkinRect kNeedles{132, 4, 252, 188};
constexpr SkinRect kNeedlesBelow{132, 200, 252, 252};

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
    return writeMd2(mesh, {{"base01", mesh.vertices()}},
                    std::string(datafiles::fileNameOf(datafiles::kIsleSkin)));
}

namespace {

// One tier of boughs: a star of drooping branch tips around the trunk, rising
// to an apex, with a hollow underside. Each tip and each notch between two
// tips is a vertex of its own height and radius, so the tier has a ragged
// outline and its normals (and so its light) change around it.
void addTier(ModelMesh& mesh, double base, double radius, double height, int tips, double phase) {
    const int ring = 2 * tips;
    const int apex = mesh.addVertex({0, 0, base + height});
    const int hollow = mesh.addVertex({0, 0, base + 0.3 * height});
    std::vector<int> rim;
    for (int i = 0; i < ring; ++i) {
        const bool tip = i % 2 == 0;
        const double a = 2.0 * std::numbers::pi * i / ring + phase;
        // Tips reach out and hang down; notches sit inward and higher.
        const double r = radius * (tip ? 1.0 + 0.06 * std::sin(3.0 * a + phase) : 0.58);
        const double z = base + radius * (tip ? -0.2 : 0.1);
        rim.push_back(mesh.addVertex({r * std::cos(a), r * std::sin(a), z}));
    }
    for (int i = 0; i < ring; ++i) {
        const int j = (i + 1) % ring;
        const double u0 = double(i) / ring, u1 = double(i + 1) / ring;
        // The notches take the texture a little above the tips' fringe.
        const double v0 = i % 2 == 0 ? 1.0 : 0.86, v1 = j % 2 == 0 ? 1.0 : 0.86;
        mesh.addTriangle({rim[i], rim[j], apex},
                         {mesh.addTexCoord(kNeedles.s(u0), kNeedles.t(v0)),
                          mesh.addTexCoord(kNeedles.s(u1), kNeedles.t(v1)),
                          mesh.addTexCoord(kNeedles.s((u0 + u1) / 2.0), kNeedles.t(0.0))});
        mesh.addTriangle({rim[j], rim[i], hollow},
                         {mesh.addTexCoord(kNeedlesBelow.s(u1), kNeedlesBelow.t(1.0)),
                          mesh.addTexCoord(kNeedlesBelow.s(u0), kNeedlesBelow.t(1.0)),
                          mesh.addTexCoord(kNeedlesBelow.s((u0 + u1) / 2.0), kNeedlesBelow.t(0.0))});
    }
}

} // namespace

ModelMesh buildTreeMesh() {
    ModelMesh mesh;
    mesh.addFrustum({0, 0, 0}, {0, 0, 60}, 3.4, 1.0, 7, kBark, false, false, kBark);
    // Tiers of boughs, wide and low at the foot, small at the top, each turned
    // against the one below so the tips do not line up.
    struct Tier {
        double base, radius, height;
        int tips;
    };
    const Tier tiers[] = {{16, 24, 26, 11}, {30, 21, 25, 10},  {44, 17.5, 24, 9},
                          {57, 14, 22, 8},  {69, 10.5, 21, 7}, {80, 7, 21, 6}};
    double phase = 0.0;
    for (const auto& tier : tiers) {
        addTier(mesh, tier.base, tier.radius, tier.height, tier.tips, phase);
        phase += 0.9;
    }
    return mesh;
}

std::vector<unsigned char> treeModelFile() {
    const ModelMesh mesh = buildTreeMesh();
    return writeMd2(mesh, {{"base01", mesh.vertices()}},
                    std::string(datafiles::fileNameOf(datafiles::kTreeSkin)));
}

} // namespace vtx::datagen
