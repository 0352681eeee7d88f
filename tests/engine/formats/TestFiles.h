#pragma once

// Writers of small MD2 and BMP files for the decoder tests, laid out by hand from the file
// formats (not from our decoders), so a decoder that misreads a field disagrees with them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vtx::test {

using Bytes = std::vector<unsigned char>;

inline void putU16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<unsigned char>(v & 0xff));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
inline void putU32(Bytes& b, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b.push_back(static_cast<unsigned char>((v >> (8 * k)) & 0xff));
}
inline void putF32(Bytes& b, float f) {
    std::uint32_t u = 0;
    static_assert(sizeof u == sizeof f);
    __builtin_memcpy(&u, &f, 4);
    putU32(b, u);
}
inline void patchU32(Bytes& b, std::size_t offset, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b[offset + k] = static_cast<unsigned char>((v >> (8 * k)) & 0xff);
}
inline void putName(Bytes& b, const std::string& name, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        b.push_back(i < name.size() ? static_cast<unsigned char>(name[i]) : 0);
}

struct TestMd2Frame {
    std::string name;
    std::array<float, 3> scale{1, 1, 1}, translate{0, 0, 0};
    std::vector<std::array<std::uint8_t, 3>> vertices;
};

struct TestMd2 {
    int skinWidth = 64, skinHeight = 32;
    std::vector<std::string> skins;
    std::vector<std::array<std::int16_t, 2>> texCoords;
    std::vector<std::array<std::uint16_t, 6>> triangles; // 3 vertex indices, 3 texcoord indices
    std::vector<TestMd2Frame> frames;
    int glCommands = 0; // zero words of GL commands are written after the frames
};

// Header field indices (each a 32-bit integer at 4 * index).
enum Md2Field {
    kIdent,
    kVersion,
    kSkinWidth,
    kSkinHeight,
    kFrameSize,
    kNumSkins,
    kNumXyz,
    kNumSt,
    kNumTris,
    kNumGlCmds,
    kNumFrames,
    kOfsSkins,
    kOfsSt,
    kOfsTris,
    kOfsFrames,
    kOfsGlCmds,
    kOfsEnd
};

// Lumps in the order skins, st, tris, frames, glcmds, right after the header.
inline Bytes makeMd2(const TestMd2& m) {
    const std::size_t numXyz = m.frames.empty() ? 0 : m.frames[0].vertices.size();
    const std::uint32_t frameSize = static_cast<std::uint32_t>(40 + 4 * numXyz);
    const std::uint32_t ofsSkins = 68;
    const std::uint32_t ofsSt = ofsSkins + 64 * static_cast<std::uint32_t>(m.skins.size());
    const std::uint32_t ofsTris = ofsSt + 4 * static_cast<std::uint32_t>(m.texCoords.size());
    const std::uint32_t ofsFrames = ofsTris + 12 * static_cast<std::uint32_t>(m.triangles.size());
    const std::uint32_t ofsGl = ofsFrames + frameSize * static_cast<std::uint32_t>(m.frames.size());
    const std::uint32_t ofsEnd = ofsGl + 4 * static_cast<std::uint32_t>(m.glCommands);
    Bytes b;
    for (const std::uint32_t v :
         {0x32504449u, 8u, std::uint32_t(m.skinWidth), std::uint32_t(m.skinHeight), frameSize,
          std::uint32_t(m.skins.size()), std::uint32_t(numXyz), std::uint32_t(m.texCoords.size()),
          std::uint32_t(m.triangles.size()), std::uint32_t(m.glCommands), std::uint32_t(m.frames.size()),
          ofsSkins, ofsSt, ofsTris, ofsFrames, ofsGl, ofsEnd})
        putU32(b, v);
    for (const std::string& s : m.skins)
        putName(b, s, 64);
    for (const auto& st : m.texCoords) {
        putU16(b, static_cast<std::uint16_t>(st[0]));
        putU16(b, static_cast<std::uint16_t>(st[1]));
    }
    for (const auto& t : m.triangles)
        for (const std::uint16_t v : t)
            putU16(b, v);
    for (const TestMd2Frame& f : m.frames) {
        for (const float v : f.scale)
            putF32(b, v);
        for (const float v : f.translate)
            putF32(b, v);
        putName(b, f.name, 16);
        for (const auto& v : f.vertices) {
            b.insert(b.end(), v.begin(), v.end());
            b.push_back(0); // normal index
        }
    }
    for (int i = 0; i < m.glCommands; ++i)
        putU32(b, 0);
    return b;
}

// A tetrahedron with its faces stored clockwise seen from outside, as MD2 files store them; two
// frames, the second moved by +10 along x. Vertex 3 uses two texture coordinates (a seam), so the
// mesh has 5 distinct (vertex, texcoord) pairs.
inline TestMd2 tetrahedron() {
    TestMd2 m;
    m.skins = {"skin.pcx"};
    m.texCoords = {{0, 0}, {64, 0}, {0, 32}, {32, 16}, {16, 8}};
    // Vertices: 0 origin, 1 +x, 2 +y, 3 +z (each 10 units out after scale 1).
    // Outward-facing counter-clockwise faces: (0,2,1) bottom(-z), (0,1,3) front(-y), (0,3,2) left(-x),
    // (1,2,3) slanted. Stored clockwise: each reversed.
    m.triangles = {{0, 1, 2, 0, 1, 2}, {0, 3, 1, 0, 3, 1}, {0, 2, 3, 0, 2, 4}, {1, 3, 2, 1, 3, 2}};
    TestMd2Frame f0{"stand01", {1, 1, 1}, {0, 0, 0}, {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 0, 10}}};
    TestMd2Frame f1 = f0;
    f1.name = "stand02";
    f1.translate = {10, 0, 0};
    m.frames = {f0, f1};
    return m;
}

// A BMP file: 8-bit (with `palette` of BGR0 colours), 24-bit or 32-bit BI_RGB. `pixel(x, y)` gives
// the stored value of the pixel at column x of picture row y (row 0 = top): a palette index for
// 8 bits, else 0xRRGGBB.
template <typename PixelFn>
Bytes makeBmp(int width, int height, int bits, bool topDown, PixelFn pixel,
              const std::vector<std::uint32_t>& palette = {}) {
    const std::uint32_t stride = ((std::uint32_t(width) * bits + 31) / 32) * 4;
    const std::uint32_t paletteBytes = bits == 8 ? 4 * static_cast<std::uint32_t>(palette.size()) : 0;
    const std::uint32_t dataOffset = 14 + 40 + paletteBytes;
    const std::uint32_t fileSize = dataOffset + stride * std::uint32_t(height);
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    putU32(b, fileSize);
    putU32(b, 0);
    putU32(b, dataOffset);
    putU32(b, 40);
    putU32(b, std::uint32_t(width));
    putU32(b, std::uint32_t(topDown ? -height : height));
    putU16(b, 1);
    putU16(b, static_cast<std::uint16_t>(bits));
    putU32(b, 0); // BI_RGB
    putU32(b, stride * std::uint32_t(height));
    putU32(b, 2835);
    putU32(b, 2835);
    putU32(b, bits == 8 ? static_cast<std::uint32_t>(palette.size()) : 0);
    putU32(b, 0);
    for (const std::uint32_t c : palette)
        putU32(b, c);
    for (int r = 0; r < height; ++r) {
        const int y = topDown ? r : height - 1 - r;
        const std::size_t start = b.size();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            if (bits == 8) {
                b.push_back(static_cast<unsigned char>(v));
            } else {
                b.push_back(static_cast<unsigned char>(v & 0xff));
                b.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
                b.push_back(static_cast<unsigned char>((v >> 16) & 0xff));
                if (bits == 32) b.push_back(0);
            }
        }
        while (b.size() - start < stride)
            b.push_back(0xEE); // padding that must not be read as a pixel
    }
    return b;
}

} // namespace vtx::test
