// The generated MD2 models, read back with a reader of the test's own and
// placed in the world by the game's transform rules.

#include "tools/datagen/Generators.h"
#include "tools/datagen/ModelBuilders.h"
#include "tools/datagen/ModelMd2Writer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace vtx::datagen {
namespace {

struct Vec3 {
    double x, y, z;
};

struct Md2Read {
    int skinWidth = 0, skinHeight = 0, numSkins = 0;
    std::vector<std::array<int, 2>> st;
    std::vector<std::array<int, 6>> tris; // vertex[3], st[3]
    std::vector<std::string> frameNames;
    std::vector<std::vector<Vec3>> frames;
};

std::int32_t le32(const std::vector<unsigned char>& b, std::size_t o) {
    return static_cast<std::int32_t>(b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[o + 3]) << 24));
}
int le16(const std::vector<unsigned char>& b, std::size_t o) {
    return static_cast<std::int16_t>(b[o] | (b[o + 1] << 8));
}

// Parses and checks the whole layout; fails the calling test on any inconsistency.
Md2Read readMd2(const std::vector<unsigned char>& b) {
    Md2Read m;
    EXPECT_GE(b.size(), 68u);
    if (b.size() < 68) return m;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "IDP2");
    EXPECT_EQ(le32(b, 4), 8);
    m.skinWidth = le32(b, 8);
    m.skinHeight = le32(b, 12);
    const std::int64_t frameSize = le32(b, 16), numSkins = le32(b, 20), numXyz = le32(b, 24),
                       numSt = le32(b, 28), numTris = le32(b, 32), numGl = le32(b, 36),
                       numFrames = le32(b, 40), ofsSkins = le32(b, 44), ofsSt = le32(b, 48),
                       ofsTris = le32(b, 52), ofsFrames = le32(b, 56), ofsGl = le32(b, 60),
                       ofsEnd = le32(b, 64);
    const auto size = static_cast<std::int64_t>(b.size());
    EXPECT_EQ(ofsEnd, size);
    EXPECT_EQ(frameSize, 40 + 4 * numXyz);
    EXPECT_GT(numXyz, 0);
    EXPECT_LE(numXyz, 2048); // the classic per-model limit, so any MD2 reader copes
    const std::array<std::pair<std::int64_t, std::int64_t>, 5> lumps{{{ofsSkins, 64 * numSkins},
                                                                      {ofsSt, 4 * numSt},
                                                                      {ofsTris, 12 * numTris},
                                                                      {ofsFrames, frameSize * numFrames},
                                                                      {ofsGl, 4 * numGl}}};
    for (const auto& [ofs, len] : lumps) {
        EXPECT_GE(ofs, 68);
        EXPECT_LE(ofs + len, size);
        if (ofs < 68 || ofs + len > size || len < 0) return m;
    }
    m.numSkins = static_cast<int>(numSkins);
    for (std::int64_t i = 0; i < numSt; ++i)
        m.st.push_back({le16(b, ofsSt + 4 * i), le16(b, ofsSt + 4 * i + 2)});
    for (std::int64_t i = 0; i < numTris; ++i) {
        std::array<int, 6> t{};
        for (int k = 0; k < 6; ++k)
            t[k] = le16(b, ofsTris + 12 * i + 2 * k);
        for (int k = 0; k < 3; ++k) {
            EXPECT_TRUE(t[k] >= 0 && t[k] < numXyz);
            EXPECT_TRUE(t[3 + k] >= 0 && t[3 + k] < numSt);
        }
        m.tris.push_back(t);
    }
    for (std::int64_t f = 0; f < numFrames; ++f) {
        const std::size_t o = ofsFrames + f * frameSize;
        float scale[3], translate[3];
        std::memcpy(scale, &b[o], 12);
        std::memcpy(translate, &b[o + 12], 12);
        const char* name = reinterpret_cast<const char*>(&b[o + 24]);
        m.frameNames.emplace_back(name, strnlen(name, 16));
        EXPECT_LT(m.frameNames.back().size(), 16u);
        std::vector<Vec3> pos;
        for (std::int64_t v = 0; v < numXyz; ++v) {
            const std::size_t p = o + 40 + 4 * v;
            pos.push_back({b[p] * scale[0] + translate[0], b[p + 1] * scale[1] + translate[1],
                           b[p + 2] * scale[2] + translate[2]});
        }
        m.frames.push_back(pos);
    }
    return m;
}

// The engine's rule: drop two characters when the next-to-last is a digit, else one.
std::vector<std::pair<std::string, int>> animations(const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, int>> out; // name, frame count
    for (const auto& n : names) {
        const std::string a = n.size() >= 2 && std::isdigit(static_cast<unsigned char>(n[n.size() - 2]))
                                  ? n.substr(0, n.size() - 2)
                                  : n.substr(0, n.size() - 1);
        if (out.empty() || out.back().first != a)
            out.emplace_back(a, 1);
        else
            ++out.back().second;
    }
    return out;
}

// Orientation by the scene's angle rules: positive pitch lifts Direction towards
// Up about Right (a left-handed turn about Right); roll turns Right and Up about
// Direction, counter-clockwise looking down Direction towards the origin.
struct Basis {
    Vec3 right{1, 0, 0}, up{0, 1, 0}, direction{0, 0, 1};
};

Vec3 rotate(Vec3 v, Vec3 axis, double degrees) {
    const double a = degrees * 3.14159265358979323846 / 180.0, c = std::cos(a), s = std::sin(a);
    const double d = v.x * axis.x + v.y * axis.y + v.z * axis.z;
    const Vec3 k{axis.y * v.z - axis.z * v.y, axis.z * v.x - axis.x * v.z, axis.x * v.y - axis.y * v.x};
    return {v.x * c + k.x * s + axis.x * d * (1 - c), v.y * c + k.y * s + axis.y * d * (1 - c),
            v.z * c + k.z * s + axis.z * d * (1 - c)};
}

Basis pitched(Basis b, double degrees) {
    return {b.right, rotate(b.up, b.right, -degrees), rotate(b.direction, b.right, -degrees)};
}

Basis rolled(Basis b, double degrees) {
    return {rotate(b.right, b.direction, degrees), rotate(b.up, b.direction, degrees), b.direction};
}

Vec3 toWorld(const Basis& b, Vec3 v, double scale, Vec3 position) {
    return {position.x + scale * (v.x * b.right.x + v.y * b.up.x + v.z * b.direction.x),
            position.y + scale * (v.x * b.right.y + v.y * b.up.y + v.z * b.direction.y),
            position.z + scale * (v.x * b.right.z + v.y * b.up.z + v.z * b.direction.z)};
}

struct Box {
    Vec3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    void add(Vec3 p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
};

// Sum over triangles of the signed tetrahedron volumes; MD2 triangles are
// clockwise seen from outside, so outward-facing surfaces give a positive sum.
double signedVolume(const Md2Read& m, const std::vector<Vec3>& p) {
    double v = 0.0;
    for (const auto& t : m.tris) {
        const Vec3 a = p[t[0]], b = p[t[2]], c = p[t[1]]; // reversed: counter-clockwise
        v += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) /
             6.0;
    }
    return v;
}

std::vector<unsigned char> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return {bytes.begin(), bytes.end()};
}

class ModelFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        generateModels(s_dir->path());
    }
    static void TearDownTestSuite() { delete s_dir; }
    static Md2Read model(const QString& name) {
        const auto bytes = readFile(s_dir->path() + "/DATA/" + name);
        EXPECT_FALSE(bytes.empty()) << name.toStdString();
        return readMd2(bytes);
    }
    static QTemporaryDir* s_dir;
};
QTemporaryDir* ModelFiles::s_dir = nullptr;

TEST_F(ModelFiles, EveryModelParsesWithConsistentLayout) {
    for (const char* name :
         {"ship1t.md2", "ship2t.md2", "ship3t.md2", "ship4t.md2", "tree.md2", "isle.md2"}) {
        SCOPED_TRACE(name);
        const Md2Read m = model(name);
        EXPECT_EQ(m.skinWidth, 256);
        EXPECT_EQ(m.skinHeight, 256);
        ASSERT_FALSE(m.frames.empty());
        EXPECT_FALSE(m.tris.empty());
        for (const auto& st : m.st) {
            EXPECT_TRUE(st[0] >= 0 && st[0] < 256 && st[1] >= 0 && st[1] < 256);
        }
    }
}

TEST_F(ModelFiles, ShipsCarryTheWalkLoopAndTheStopFrame) {
    std::size_t previousTriangles = 0;
    for (int length = 1; length <= 4; ++length) {
        SCOPED_TRACE(length);
        const Md2Read m = model(QStringLiteral("ship%1t.md2").arg(length));
        const auto anims = animations(m.frameNames);
        ASSERT_EQ(anims.size(), 2u);
        EXPECT_EQ(anims[0].first, "walk");
        EXPECT_GE(anims[0].second, 24);
        EXPECT_EQ(anims[1].first, "stop");
        EXPECT_GE(anims[1].second, 1);
        // Modest for a software renderer, and a bigger ship carries more guns.
        EXPECT_LE(m.tris.size(), 1500u);
        EXPECT_GT(m.tris.size(), previousTriangles);
        previousTriangles = m.tris.size();
    }
}

TEST_F(ModelFiles, ShipsCoverTheirCellsInBothOrientationsAndFloat) {
    for (int length = 1; length <= 4; ++length) {
        SCOPED_TRACE(length);
        const Md2Read m = model(QStringLiteral("ship%1t.md2").arg(length));
        const Vec3 firstCell{-4.0, 0.0, 1.0}; // own board, row 1, column 1
        // The documented outcome of the angle rules: pitch 90 maps (x, y, z) to (x, z, -y).
        const Vec3 probe = toWorld(pitched(Basis{}, 90.0), {1, 2, 3}, 1.0, {0, 0, 0});
        ASSERT_NEAR(probe.x, 1, 1e-9);
        ASSERT_NEAR(probe.y, 3, 1e-9);
        ASSERT_NEAR(probe.z, -2, 1e-9);
        for (double roll : {0.0, -90.0}) {
            SCOPED_TRACE(roll);
            const Basis basis = rolled(pitched(Basis{}, 90.0), roll);
            for (std::size_t f = 0; f < m.frames.size(); ++f) {
                const bool atRest = f + 1 == m.frames.size();
                Box box;
                for (const auto& v : m.frames[f])
                    box.add(toWorld(basis, v, 0.03, firstCell));
                // Along the ship: its first cell's back edge to its last cell's front edge.
                const double alongLo = roll == 0.0 ? box.lo.x - firstCell.x : box.lo.z - firstCell.z;
                const double alongHi = roll == 0.0 ? box.hi.x - firstCell.x : box.hi.z - firstCell.z;
                const double acrossLo = roll == 0.0 ? box.lo.z - firstCell.z : box.lo.x - firstCell.x;
                const double acrossHi = roll == 0.0 ? box.hi.z - firstCell.z : box.hi.x - firstCell.x;
                EXPECT_GE(alongLo, -0.5);
                EXPECT_LE(alongLo, -0.4);
                EXPECT_LE(alongHi, length - 0.5);
                EXPECT_GE(alongHi, length - 0.6);
                EXPECT_GE(acrossLo, -0.45);
                EXPECT_LE(acrossHi, 0.45);
                // Floats: a shallow draft at rest, a little more while rocking; masts below one unit.
                EXPECT_GE(box.lo.y, atRest ? -0.1 : -0.15);
                EXPECT_LE(box.lo.y, 0.0);
                EXPECT_LE(box.hi.y, 1.0);
                EXPECT_GE(box.hi.y, 0.3);
            }
        }
    }
}

TEST_F(ModelFiles, WalkLoopRocksAndClosesSmoothly) {
    for (int length = 1; length <= 4; ++length) {
        SCOPED_TRACE(length);
        const Md2Read m = model(QStringLiteral("ship%1t.md2").arg(length));
        ASSERT_EQ(m.frames.size(), 25u);
        auto largestMove = [&](std::size_t a, std::size_t b) {
            double d = 0.0;
            for (std::size_t v = 0; v < m.frames[a].size(); ++v) {
                const Vec3 p = m.frames[a][v], q = m.frames[b][v];
                d = std::max(d, std::hypot(p.x - q.x, p.y - q.y, p.z - q.z));
            }
            return d;
        };
        double biggestStep = 0.0;
        for (std::size_t f = 0; f + 1 < 24; ++f)
            biggestStep = std::max(biggestStep, largestMove(f, f + 1));
        const double wrap = largestMove(23, 0);
        EXPECT_GT(wrap, 0.05) << "the last frame repeats the first: the loop stutters";
        EXPECT_LE(wrap, biggestStep * 1.5);
        // It really rocks, but gently: within a few units of the rest pose.
        double swing = 0.0;
        for (std::size_t f = 0; f < 24; ++f)
            swing = std::max(swing, largestMove(f, 24));
        EXPECT_GT(swing, 0.8);
        EXPECT_LT(swing, 4.0);
        // At rest the ship sits level: port and starboard mirror each other.
        Box rest;
        for (const auto& v : m.frames[24])
            rest.add(v);
        EXPECT_NEAR(rest.lo.y, -rest.hi.y, 0.2);
    }
}

// The atlas keeps its bottom 24 hull rows (104..127) for the hull below the
// waterline; everything under the sea must map there, and nothing above it may.
TEST_F(ModelFiles, BelowTheWaterlineTheHullShowsItsBottomBand) {
    for (int length = 1; length <= 4; ++length) {
        SCOPED_TRACE(length);
        const Md2Read m = model(QStringLiteral("ship%1t.md2").arg(length));
        const auto& rest = m.frames.back();
        int below = 0;
        for (const auto& t : m.tris) {
            double top = -1e9, bottom = 1e9;
            for (int k = 0; k < 3; ++k) {
                top = std::max(top, rest[t[k]].z);
                bottom = std::min(bottom, rest[t[k]].z);
            }
            bool allInBand = true, anyInBand = false;
            for (int k = 3; k < 6; ++k) {
                const int row = m.st[t[k]][1];
                allInBand = allInBand && row >= 100 && row <= 127;
                anyInBand = anyInBand || (row >= 105 && row <= 127);
            }
            if (top < -0.2) {
                ++below;
                EXPECT_TRUE(allInBand);
            }
            if (bottom > 0.3) {
                EXPECT_FALSE(anyInBand);
            }
        }
        EXPECT_GT(below, 20);
    }
}

TEST_F(ModelFiles, FacesPointOutwards) {
    for (const char* name :
         {"ship1t.md2", "ship2t.md2", "ship3t.md2", "ship4t.md2", "tree.md2", "isle.md2"}) {
        SCOPED_TRACE(name);
        const Md2Read m = model(name);
        EXPECT_GT(signedVolume(m, m.frames.back()), 0.0);
    }
}

// Faces that meet along an edge must run it in opposite directions; the same
// directed edge twice means one of the faces is turned inside out.
TEST(ModelMeshes, NeighbouringFacesAgreeOnTheirWinding) {
    const std::vector<std::pair<std::string, ModelMesh>> meshes{
        {"ship1", buildShipMesh(1)}, {"ship2", buildShipMesh(2)}, {"ship3", buildShipMesh(3)},
        {"ship4", buildShipMesh(4)}, {"tree", buildTreeMesh()},   {"isle", buildIslandMesh()}};
    for (const auto& [name, mesh] : meshes) {
        SCOPED_TRACE(name);
        auto key = [&](int v) {
            const ModelVec p = mesh.vertices()[v];
            return std::array<long long, 3>{std::llround(p.x * 1e5), std::llround(p.y * 1e5),
                                            std::llround(p.z * 1e5)};
        };
        std::set<std::pair<std::array<long long, 3>, std::array<long long, 3>>> seen;
        int duplicates = 0;
        for (const auto& t : mesh.triangles())
            for (int k = 0; k < 3; ++k) {
                const auto a = key(t.vertex[k]), b = key(t.vertex[(k + 1) % 3]);
                if (a == b) continue;
                duplicates += !seen.insert({a, b}).second;
            }
        EXPECT_EQ(duplicates, 0);
    }
}

TEST_F(ModelFiles, TreeStandsOnItsBaseAtTreeHeight) {
    const Md2Read m = model("tree.md2");
    ASSERT_EQ(m.frames.size(), 1u);
    Box box;
    for (const auto& v : m.frames[0])
        box.add(v);
    EXPECT_NEAR(box.lo.z, 0.0, 0.1);
    EXPECT_GE(box.hi.z, 90.0);
    EXPECT_LE(box.hi.z, 110.0);
    // Narrower than tall, centred on its trunk.
    EXPECT_LT(box.hi.x - box.lo.x, 60.0);
    EXPECT_NEAR((box.hi.x + box.lo.x) / 2, 0.0, 3.0);
}

TEST_F(ModelFiles, IslandStaysClearOfTheBoardAndCarriesTheTrees) {
    const Md2Read m = model("isle.md2");
    ASSERT_EQ(m.frames.size(), 1u);
    const auto& p = m.frames[0];
    Box box;
    for (const auto& v : p) {
        box.add(v);
        EXPECT_LE(std::hypot(v.x, v.y), 40.0);
    }
    EXPECT_NEAR(box.lo.z, -5.0, 0.2);
    EXPECT_LE(box.hi.z, 15.0);
    // The trees stand at world y 1 (MD2 z 10) at these spots: the ground there must
    // meet their base, neither leaving them floating nor burying them deep.
    for (const Vec3 spot : {Vec3{20, 10, 0}, Vec3{-10, 10, 0}}) {
        double nearest = 1e9, groundZ = 0.0;
        for (const auto& v : p) {
            const double d = std::hypot(v.x - spot.x, v.y - spot.y);
            if (d < nearest) nearest = d, groundZ = v.z;
        }
        EXPECT_LT(nearest, 3.0);
        EXPECT_GE(groundZ, 9.8);
        EXPECT_LE(groundZ, 11.5);
        EXPECT_NEAR(islandHeight(spot.x, spot.y), 10.4, 0.2);
    }
}

TEST(ModelMd2Writer, RefusesFramesThatDoNotMatchTheMesh) {
    ModelMesh mesh;
    mesh.addBox({0, 0, 0}, {1, 1, 1}, SkinRect{}, SkinRect{});
    EXPECT_THROW(writeMd2(mesh, {{"base01", {}}}, ""), std::invalid_argument);
    EXPECT_THROW(writeMd2(mesh, {{"a_name_that_is_too_long", mesh.vertices()}}, ""), std::invalid_argument);
    const auto bytes = writeMd2(mesh, {{"base01", mesh.vertices()}}, "");
    const Md2Read m = readMd2(bytes);
    EXPECT_EQ(m.numSkins, 0);
    // Five faces (the bottom is left out by default), each its own four corners.
    EXPECT_EQ(m.tris.size(), 10u);
    ASSERT_EQ(m.frames.size(), 1u);
    for (std::size_t v = 0; v < mesh.vertices().size(); ++v) {
        EXPECT_NEAR(m.frames[0][v].x, mesh.vertices()[v].x, 0.01);
        EXPECT_NEAR(m.frames[0][v].z, mesh.vertices()[v].z, 0.01);
    }
}

TEST(ModelMd2Writer, NormalIndexSeparatesDirections) {
    const int up = md2NormalIndex({0, 0, 1}), down = md2NormalIndex({0, 0, -1});
    const int east = md2NormalIndex({1, 0, 0}), west = md2NormalIndex({-1, 0, 0});
    for (int i : {up, down, east, west}) {
        EXPECT_GE(i, 0);
        EXPECT_LT(i, 162);
    }
    EXPECT_NE(up, down);
    EXPECT_NE(east, west);
    EXPECT_NE(up, east);
}

TEST(ModelFilesDeterminism, TwoRunsWriteIdenticalBytes) {
    QTemporaryDir a, b;
    generateModels(a.path());
    generateModels(b.path());
    for (const char* name :
         {"ship1t.md2", "ship2t.md2", "ship3t.md2", "ship4t.md2", "tree.md2", "isle.md2"}) {
        const auto first = readFile(a.path() + "/DATA/" + name);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, readFile(b.path() + "/DATA/" + name)) << name;
    }
}

} // namespace
} // namespace vtx::datagen
