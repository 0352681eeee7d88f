#include "scene/engine/formats/Md2Model.h"
#include "scene/engine/formats/AnimationNames.h"
#include "scene/engine/formats/Md2Mesh.h"
#include "tests/engine/formats/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace vtx {
namespace {

using test::Bytes;

bool parse(const Bytes& bytes, Md2Model& model, std::string& error) {
    return parseMd2(std::span<const unsigned char>(bytes.data(), bytes.size()), model, error);
}

TEST(Md2Model, DecodesHeaderLumpsAndFrames) {
    test::TestMd2 m = test::tetrahedron();
    m.frames[1].scale = {0.5f, 2.0f, 1.0f};
    m.frames[1].translate = {-3.0f, 1.5f, 7.0f};
    m.glCommands = 3;
    const Bytes bytes = test::makeMd2(m);
    Md2Model model;
    std::string error;
    ASSERT_TRUE(parse(bytes, model, error)) << error;
    EXPECT_EQ(model.skinWidth, 64);
    EXPECT_EQ(model.skinHeight, 32);
    ASSERT_EQ(model.skins.size(), 1u);
    EXPECT_EQ(model.skins[0], "skin.pcx");
    ASSERT_EQ(model.texCoords.size(), 5u);
    EXPECT_EQ(model.texCoords[1], glm::vec2(1.0f, 0.0f));
    EXPECT_EQ(model.texCoords[3], glm::vec2(0.5f, 0.5f)); // (32, 16) of a 64 x 32 skin
    ASSERT_EQ(model.triangles.size(), 4u);
    EXPECT_EQ(model.triangles[2].vertex, (std::array<std::uint16_t, 3>{0, 2, 3}));
    EXPECT_EQ(model.triangles[2].texCoord, (std::array<std::uint16_t, 3>{0, 2, 4}));
    ASSERT_EQ(model.frames.size(), 2u);
    EXPECT_EQ(model.frames[0].name, "stand01");
    EXPECT_EQ(model.frames[1].name, "stand02");
    ASSERT_EQ(model.frames[1].positions.size(), 4u);
    // packed (10, 0, 0) -> (10 * 0.5 - 3, 0 * 2 + 1.5, 0 + 7)
    EXPECT_EQ(model.frames[1].positions[1], glm::vec3(2.0f, 1.5f, 7.0f));
    EXPECT_EQ(model.frames[1].positions[2], glm::vec3(-3.0f, 21.5f, 7.0f));
}

TEST(Md2Model, FrameNameOfSixteenCharactersWithoutTerminator) {
    test::TestMd2 m = test::tetrahedron();
    m.frames[0].name = "abcdefghijklmnop";
    Md2Model model;
    std::string error;
    ASSERT_TRUE(parse(test::makeMd2(m), model, error)) << error;
    EXPECT_EQ(model.frames[0].name, "abcdefghijklmnop"); // stops at the field's end, not past it
}

TEST(Md2Model, EveryTruncationFailsCleanly) {
    const Bytes full = test::makeMd2(test::tetrahedron());
    for (std::size_t length = 0; length < full.size(); ++length) {
        // A copy of exactly `length` bytes, so the sanitizers see any read past its end.
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        Md2Model model;
        model.skinWidth = 12345;
        std::string error;
        EXPECT_FALSE(parse(cut, model, error)) << "length " << length;
        EXPECT_FALSE(error.empty()) << "length " << length;
        EXPECT_EQ(model.skinWidth, 12345) << "output touched on failure, length " << length;
    }
}

TEST(Md2Model, HostileHeadersAndIndicesAreRefused) {
    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
        const char* errorMentions;
    };
    const auto field = [](int index, std::uint32_t value) {
        return [=](Bytes& b) { test::patchU32(b, std::size_t(4 * index), value); };
    };
    using namespace test;
    const std::size_t trisOffset = 68 + 64 + 5 * 4;
    const std::vector<Case> cases = {
        {"magic", field(kIdent, 0x32504449u + 1), "magic"},
        {"version 7", field(kVersion, 7), "version"},
        {"zero skin width", field(kSkinWidth, 0), "skin width"},
        {"negative skin height", field(kSkinHeight, 0xffffffffu), "skin height"},
        {"huge skin", field(kSkinWidth, 1u << 20), "skin width"},
        {"negative vertex count", field(kNumXyz, 0x80000000u), "vertex count"},
        {"too many vertices", field(kNumXyz, 70000), "vertex count"},
        {"too many frames", field(kNumFrames, 5000), "frame count"},
        {"no frames", field(kNumFrames, 0), "frame count"},
        {"too many skins", field(kNumSkins, 100000), "skin count"},
        {"triangle count near 2^31", field(kNumTris, 0x7fffffffu), "triangle count"},
        {"frame size disagrees with the vertices", field(kFrameSize, 40 + 4 * 5), "frame size"},
        {"frame size overflowing 32 bits", field(kFrameSize, 0xfffffff0u), "frame size"},
        {"end beyond the file", field(kOfsEnd, 100000), "truncated"},
        {"skins offset inside the header", field(kOfsSkins, 8), "skin"},
        {"negative texcoord offset", field(kOfsSt, 0xfffffffcu), "texture coordinate"},
        {"triangles past the end", field(kOfsTris, 0x7ffffff0u), "triangle"},
        {"frames past the end", field(kOfsFrames, 400), "frame"},
        {"more triangles than bytes", field(kNumTris, 1000), "triangle"},
        {"more texcoords than bytes", field(kNumSt, 60000), "texture coordinate"},
        {"GL commands past the end", field(kNumGlCmds, 1000), "GL command"},
        {"triangle vertex index out of range", [&](Bytes& b) { b[trisOffset] = 4; }, "vertex 4"},
        {"triangle texcoord index out of range", [&](Bytes& b) { b[trisOffset + 12 + 6 + 2] = 5; },
         "texture coordinate 5"},
        {"index with the high byte set", [&](Bytes& b) { b[trisOffset + 12 * 3 + 1] = 0x80; }, "vertex"},
        {"scale overflowing to infinity",
         [&](Bytes& b) { test::patchU32(b, 68 + 64 + 20 + 48, 0x7f7fffffu); }, "non-finite position"},
        {"non-finite frame scale", [&](Bytes& b) { test::patchU32(b, 68 + 64 + 20 + 48, 0x7fc00000u); },
         "non-finite"},
    };
    const Bytes good = test::makeMd2(test::tetrahedron());
    for (const Case& c : cases) {
        Bytes bad = good;
        c.spoil(bad);
        Md2Model model;
        std::string error;
        EXPECT_FALSE(parse(bad, model, error)) << c.what;
        EXPECT_NE(error.find(c.errorMentions), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(model.frames.empty()) << c.what;
    }
}

// A file of 2.7 MB that is sound in every lump but would expand to gigabytes of mesh: 1,024 frames
// of 131,072 triangles over 256 vertices and 1,536 texture coordinates.
TEST(Md2Model, AModelThatWouldExpandToGigabytesIsRefused) {
    test::TestMd2 m;
    for (int i = 0; i < 1536; ++i)
        m.texCoords.push_back({std::int16_t(i % 64), std::int16_t(i / 64)});
    for (int i = 0; i < 131072; ++i) {
        const auto v = std::uint16_t(i % 256), t = std::uint16_t(i % 1536);
        m.triangles.push_back({v, std::uint16_t((v + 1) % 256), std::uint16_t((v + 2) % 256), t,
                               std::uint16_t((t + 1) % 1536), std::uint16_t((t + 2) % 1536)});
    }
    test::TestMd2Frame frame{"walk01", {1, 1, 1}, {0, 0, 0}, {}};
    for (int i = 0; i < 256; ++i)
        frame.vertices.push_back({std::uint8_t(i), std::uint8_t(i / 16), 0});
    m.frames.assign(1024, frame);
    const Bytes bytes = test::makeMd2(m);
    ASSERT_LT(bytes.size(), 3u << 20);
    Md2Model model;
    std::string error;
    EXPECT_FALSE(parse(bytes, model, error));
    EXPECT_NE(error.find("frame corners"), std::string::npos) << error;
    // The same triangles in one frame are a model the game could draw.
    m.frames.resize(1);
    EXPECT_TRUE(parse(test::makeMd2(m), model, error)) << error;
}

TEST(AnimationNames, FrameNameRule) {
    EXPECT_EQ(animationNameOfFrame("walk01"), "walk");
    EXPECT_EQ(animationNameOfFrame("run1"), "run");
    EXPECT_EQ(animationNameOfFrame("walk001"), "walk0");
    EXPECT_EQ(animationNameOfFrame("a2b"), "a"); // next-to-last is a digit: two characters go
    EXPECT_EQ(animationNameOfFrame("x"), "");
    EXPECT_EQ(animationNameOfFrame(""), "");
}

TEST(AnimationNames, RangesFromShipFrames) {
    std::vector<std::string> names;
    for (int i = 1; i <= 24; ++i)
        names.push_back((i < 10 ? "walk0" : "walk") + std::to_string(i));
    names.push_back("stop01");
    const std::vector<AnimationRange> ranges = animationsFromFrameNames(names);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].name, "walk");
    EXPECT_EQ(ranges[0].first, 0);
    EXPECT_EQ(ranges[0].last, 23);
    EXPECT_EQ(ranges[1].name, "stop");
    EXPECT_EQ(ranges[1].first, 24);
    EXPECT_EQ(ranges[1].last, 24);
}

TEST(AnimationNames, NamesWithDigitsElsewhereAndRepeats) {
    // "r2d2a1" -> "r2d2a" (only the last character: 'a' is no digit); "b3x" -> "b" (next-to-last '3'); a name
    // that comes back later does not start a second range: the frames in between stay with the names that
    // start there.
    const std::vector<AnimationRange> ranges =
        animationsFromFrameNames({"r2d2a1", "r2d2a2", "b3x", "run1", "r2d2a3", "run2"});
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_EQ(ranges[0].name, "r2d2a");
    EXPECT_EQ(ranges[0].first, 0);
    EXPECT_EQ(ranges[0].last, 1);
    EXPECT_EQ(ranges[1].name, "b");
    EXPECT_EQ(ranges[1].first, 2);
    EXPECT_EQ(ranges[1].last, 2);
    EXPECT_EQ(ranges[2].name, "run");
    EXPECT_EQ(ranges[2].first, 3);
    EXPECT_EQ(ranges[2].last, 5);
    EXPECT_TRUE(animationsFromFrameNames({}).empty());
}

TEST(Md2Mesh, DedupesPairsWindsOutwardAndComputesNormals) {
    Md2Model model;
    std::string error;
    ASSERT_TRUE(parse(test::makeMd2(test::tetrahedron()), model, error)) << error;
    const Md2Mesh mesh = buildMd2Mesh(model);
    ASSERT_EQ(mesh.texCoords.size(), 5u);
    ASSERT_EQ(mesh.indices.size(), 12u);
    ASSERT_EQ(mesh.positions.size(), 2u);
    ASSERT_EQ(mesh.normals.size(), 2u);
    const std::vector<glm::vec3>& p = mesh.positions[0];
    const glm::vec3 centre(2.5f, 2.5f, 2.5f);
    for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
        const glm::vec3 a = p[mesh.indices[t]], b = p[mesh.indices[t + 1]], c = p[mesh.indices[t + 2]];
        const glm::vec3 n = glm::cross(b - a, c - a);
        EXPECT_GT(glm::dot(n, (a + b + c) / 3.0f - centre), 0.0f) << "triangle " << t / 3 << " faces inwards";
    }
    // The origin corner touches three faces of equal area with normals -x, -y, -z.
    for (std::size_t v = 0; v < p.size(); ++v) {
        EXPECT_NEAR(glm::length(mesh.normals[0][v]), 1.0f, 1e-5f);
        if (p[v] == glm::vec3(0.0f)) {
            const float k = -1.0f / std::sqrt(3.0f);
            EXPECT_NEAR(mesh.normals[0][v].x, k, 1e-5f);
            EXPECT_NEAR(mesh.normals[0][v].y, k, 1e-5f);
            EXPECT_NEAR(mesh.normals[0][v].z, k, 1e-5f);
        }
    }
    // Both mesh vertices of the seam vertex (0, 0, 10) carry the same, smooth normal.
    std::vector<glm::vec3> seam;
    for (std::size_t v = 0; v < p.size(); ++v)
        if (p[v] == glm::vec3(0, 0, 10)) seam.push_back(mesh.normals[0][v]);
    ASSERT_EQ(seam.size(), 2u);
    EXPECT_EQ(seam[0], seam[1]);
    EXPECT_EQ(mesh.boundsMin, glm::vec3(0.0f));
    EXPECT_EQ(mesh.boundsMax, glm::vec3(20.0f, 10.0f, 10.0f)); // frame 1 is moved by +10 in x
}

} // namespace
} // namespace vtx
