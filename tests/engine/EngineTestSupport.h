#pragma once
// Helpers of the engine tests: tiny MD2 files written byte by byte from the file layout, and
// a scene with a camera looking down -Z from the origin.

#include "scene/engine/Camera.h"
#include "scene/engine/Scene.h"

#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vtx::enginetest {

struct Md2FrameRecipe {
    std::string name;
    std::vector<std::array<float, 3>> vertices; // model units; packed with a per-frame scale
};

struct Md2Recipe {
    int skinWidth = 64, skinHeight = 64;
    std::vector<std::array<std::int16_t, 2>> texCoords;  // skin pixels
    std::vector<std::array<std::uint16_t, 6>> triangles; // 3 vertex, 3 texcoord indices
    std::vector<Md2FrameRecipe> frames;
};

inline void put32(std::vector<unsigned char>& b, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b.push_back(static_cast<unsigned char>(v >> (8 * k)));
}
inline void putFloat(std::vector<unsigned char>& b, float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    put32(b, u);
}
inline void put16(std::vector<unsigned char>& b, std::uint16_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}

// An MD2 file: 68-byte header, then texcoords, triangles and frames (no skins, no GL commands).
inline std::vector<unsigned char> writeMd2(const Md2Recipe& m) {
    const std::uint32_t numXyz = m.frames.empty() ? 0 : std::uint32_t(m.frames[0].vertices.size());
    const std::uint32_t frameSize = 40 + 4 * numXyz;
    const std::uint32_t ofsSt = 68;
    const std::uint32_t ofsTris = ofsSt + 4 * std::uint32_t(m.texCoords.size());
    const std::uint32_t ofsFrames = ofsTris + 12 * std::uint32_t(m.triangles.size());
    const std::uint32_t ofsGl = ofsFrames + frameSize * std::uint32_t(m.frames.size());
    std::vector<unsigned char> b;
    for (char c : std::string("IDP2"))
        b.push_back(static_cast<unsigned char>(c));
    for (std::uint32_t v : {8u, std::uint32_t(m.skinWidth), std::uint32_t(m.skinHeight), frameSize, 0u,
                            numXyz, std::uint32_t(m.texCoords.size()), std::uint32_t(m.triangles.size()), 0u,
                            std::uint32_t(m.frames.size()), ofsSt, ofsSt, ofsTris, ofsFrames, ofsGl, ofsGl})
        put32(b, v);
    for (const auto& st : m.texCoords) {
        put16(b, std::uint16_t(st[0]));
        put16(b, std::uint16_t(st[1]));
    }
    for (const auto& t : m.triangles)
        for (std::uint16_t v : t)
            put16(b, v);
    for (const Md2FrameRecipe& f : m.frames) {
        std::array<float, 3> lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
        for (const auto& v : f.vertices)
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], v[k]);
                hi[k] = std::max(hi[k], v[k]);
            }
        std::array<float, 3> scale{};
        for (int k = 0; k < 3; ++k)
            scale[k] = hi[k] > lo[k] ? (hi[k] - lo[k]) / 255.0f : 1.0f;
        for (float s : scale)
            putFloat(b, s);
        for (float t : lo)
            putFloat(b, t);
        for (std::size_t i = 0; i < 16; ++i)
            b.push_back(i < f.name.size() ? static_cast<unsigned char>(f.name[i]) : 0);
        for (const auto& v : f.vertices) {
            for (int k = 0; k < 3; ++k)
                b.push_back(static_cast<unsigned char>(std::lround((v[k] - lo[k]) / scale[k])));
            b.push_back(0);
        }
    }
    return b;
}

// A quad of two triangles (1 x 1, in the model's xy plane, facing +z, stored clockwise as MD2 files are)
// whose frames differ only by an offset along z of `frameIndex * step`, with the given frame names.
inline Md2Recipe quadModel(const std::vector<std::string>& names, float step = 10.0f) {
    Md2Recipe m;
    m.texCoords = {{0, 0}, {63, 0}, {63, 63}, {0, 63}};
    // MD2 stores triangles clockwise seen from the front.
    m.triangles = {{0, 2, 1, 0, 2, 1}, {0, 3, 2, 0, 3, 2}};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const float z = float(i) * step;
        // A spare vertex pins the packing range so positions decode exactly to whole numbers.
        m.frames.push_back({names[i], {{0, 0, z}, {255, 0, z}, {255, 255, z}, {0, 255, z}}});
    }
    return m;
}

inline bool near(QRgb pixel, int r, int g, int b, int tolerance = 24) {
    return std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance &&
           std::abs(qBlue(pixel) - b) <= tolerance;
}

} // namespace vtx::enginetest
