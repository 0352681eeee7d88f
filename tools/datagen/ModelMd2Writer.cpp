#include "tools/datagen/ModelMd2Writer.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <stdexcept>

namespace vtx::datagen {

namespace {

void putInt32(std::vector<unsigned char>& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(u >> (8 * i)));
}

void putInt16(std::vector<unsigned char>& out, int v) {
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    out.push_back(static_cast<unsigned char>(u & 0xff));
    out.push_back(static_cast<unsigned char>(u >> 8));
}

void putFloat(std::vector<unsigned char>& out, float f) {
    putInt32(out, static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(f)));
}

void putName(std::vector<unsigned char>& out, const std::string& name, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(i < name.size() ? name[i] : 0);
}

// Area-weighted vertex normals of one frame, for the normal index byte.
std::vector<ModelVec> vertexNormals(const ModelMesh& mesh, const std::vector<ModelVec>& pos) {
    std::vector<ModelVec> normals(pos.size());
    for (const auto& tri : mesh.triangles()) {
        const ModelVec a = pos[tri.vertex[0]], b = pos[tri.vertex[1]], c = pos[tri.vertex[2]];
        const ModelVec n = cross(b - a, c - a);
        for (int v : tri.vertex)
            normals[v] = normals[v] + n;
    }
    for (auto& n : normals)
        n = normalized(n);
    return normals;
}

} // namespace

int md2NormalIndex(ModelVec normal) {
    const ModelVec n = normalized(normal);
    const int band =
        std::clamp(static_cast<int>(std::acos(std::clamp(n.z, -1.0, 1.0)) / std::numbers::pi * 9), 0, 8);
    const double angle = std::atan2(n.y, n.x) + std::numbers::pi;
    const int sector = static_cast<int>(angle / (2 * std::numbers::pi) * 18) % 18;
    return band * 18 + sector;
}

std::vector<unsigned char> writeMd2(const ModelMesh& mesh, const std::vector<ModelFrame>& frames,
                                    const std::string& skinName, int skinSize) {
    const std::size_t vertexCount = mesh.vertices().size();
    for (const auto& frame : frames) {
        if (frame.positions.size() != vertexCount)
            throw std::invalid_argument("MD2 frame " + frame.name + " does not match the mesh");
        if (frame.name.size() > 15) throw std::invalid_argument("MD2 frame name too long: " + frame.name);
    }
    if (skinName.size() > 63) throw std::invalid_argument("MD2 skin name too long");

    const int numSkins = skinName.empty() ? 0 : 1;
    const auto numXyz = static_cast<std::int32_t>(vertexCount);
    const auto numSt = static_cast<std::int32_t>(mesh.texCoords().size());
    const auto numTris = static_cast<std::int32_t>(mesh.triangles().size());
    const auto numFrames = static_cast<std::int32_t>(frames.size());
    const std::int32_t frameSize = 40 + 4 * numXyz;
    const std::int32_t ofsSkins = 68;
    const std::int32_t ofsSt = ofsSkins + 64 * numSkins;
    const std::int32_t ofsTris = ofsSt + 4 * numSt;
    const std::int32_t ofsFrames = ofsTris + 12 * numTris;
    const std::int32_t ofsEnd = ofsFrames + frameSize * numFrames;

    std::vector<unsigned char> out;
    out.reserve(static_cast<std::size_t>(ofsEnd));
    for (char c : {'I', 'D', 'P', '2'})
        out.push_back(static_cast<unsigned char>(c));
    for (std::int32_t v : {8, skinSize, skinSize, frameSize, numSkins, numXyz, numSt, numTris, 0, numFrames,
                           ofsSkins, ofsSt, ofsTris, ofsFrames, ofsEnd, ofsEnd})
        putInt32(out, v);
    if (numSkins) putName(out, skinName, 64);
    for (const auto& st : mesh.texCoords()) {
        putInt16(out, st[0]);
        putInt16(out, st[1]);
    }
    for (const auto& tri : mesh.triangles()) {
        for (int i : {0, 2, 1})
            putInt16(out, tri.vertex[i]);
        for (int i : {0, 2, 1})
            putInt16(out, tri.texCoord[i]);
    }
    for (const auto& frame : frames) {
        ModelVec lo{1e30, 1e30, 1e30}, hi{-1e30, -1e30, -1e30};
        for (const auto& p : frame.positions) {
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
        if (frame.positions.empty()) lo = hi = {};
        // Stored as float, so quantise against the float values a reader will use.
        const float scale[3] = {static_cast<float>(std::max(hi.x - lo.x, 1e-3) / 255.0),
                                static_cast<float>(std::max(hi.y - lo.y, 1e-3) / 255.0),
                                static_cast<float>(std::max(hi.z - lo.z, 1e-3) / 255.0)};
        const float translate[3] = {static_cast<float>(lo.x), static_cast<float>(lo.y),
                                    static_cast<float>(lo.z)};
        for (float f : scale)
            putFloat(out, f);
        for (float f : translate)
            putFloat(out, f);
        putName(out, frame.name, 16);
        const auto normals = vertexNormals(mesh, frame.positions);
        for (std::size_t v = 0; v < vertexCount; ++v) {
            const double c[3] = {frame.positions[v].x, frame.positions[v].y, frame.positions[v].z};
            for (int k = 0; k < 3; ++k) {
                const long q = std::lround((c[k] - translate[k]) / scale[k]);
                out.push_back(static_cast<unsigned char>(std::clamp(q, 0L, 255L)));
            }
            out.push_back(static_cast<unsigned char>(md2NormalIndex(normals[v])));
        }
    }
    return out;
}

} // namespace vtx::datagen
