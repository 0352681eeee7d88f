#include "scene/engine/formats/Md2Model.h"
#include "scene/engine/formats/ByteReader.h"

#include <cmath>
#include <cstdint>

namespace vtx {

namespace {

struct Md2Header {
    std::int32_t ident, version, skinWidth, skinHeight, frameSize, numSkins, numXyz, numSt, numTris,
        numGlCmds, numFrames, ofsSkins, ofsSt, ofsTris, ofsFrames, ofsGlCmds, ofsEnd;
};

bool readHeader(ByteReader& in, Md2Header& h) {
    std::int32_t* fields[] = {&h.ident,  &h.version, &h.skinWidth, &h.skinHeight, &h.frameSize, &h.numSkins,
                              &h.numXyz, &h.numSt,   &h.numTris,   &h.numGlCmds,  &h.numFrames, &h.ofsSkins,
                              &h.ofsSt,  &h.ofsTris, &h.ofsFrames, &h.ofsGlCmds,  &h.ofsEnd};
    static_assert(sizeof(fields) / sizeof(fields[0]) * 4 == Md2Limits::headerSize);
    for (std::int32_t* f : fields)
        if (!in.i32(*f)) return false;
    return true;
}

bool fail(std::string& error, std::string text) {
    error = "MD2: " + std::move(text);
    return false;
}

bool countInRange(std::string& error, const char* what, std::int32_t value, std::int32_t low,
                  std::int32_t high) {
    if (value >= low && value <= high) return true;
    return fail(error, std::string(what) + " " + std::to_string(value) + " out of range " +
                           std::to_string(low) + ".." + std::to_string(high));
}

// A lump of `count` records of `recordSize` bytes at `offset` must lie after the header and inside the file.
bool lumpInFile(std::string& error, const ByteReader& in, const char* what, std::int32_t offset,
                std::int64_t count, std::int64_t recordSize) {
    const std::int64_t length = count * recordSize;
    if (count == 0) return true;
    if (offset < Md2Limits::headerSize ||
        !in.contains(static_cast<std::uint64_t>(offset), static_cast<std::uint64_t>(length)))
        return fail(error, std::string(what) + " lump (offset " + std::to_string(offset) + ", " +
                               std::to_string(length) + " bytes) lies outside the file of " +
                               std::to_string(in.size()) + " bytes");
    return true;
}

// A NUL-padded fixed-size name; the name ends at the first NUL or at the field's end.
std::string fixedName(const unsigned char* field, std::size_t size) {
    std::size_t n = 0;
    while (n < size && field[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(field), n);
}

} // namespace

bool parseMd2(std::span<const unsigned char> bytes, Md2Model& out, std::string& error) {
    ByteReader in(bytes);
    Md2Header h{};
    if (!readHeader(in, h))
        return fail(error,
                    "file of " + std::to_string(bytes.size()) + " bytes is shorter than the 68-byte header");
    if (h.ident != 0x32504449) // "IDP2" read little-endian
        return fail(error, "bad magic (not \"IDP2\")");
    if (h.version != 8)
        return fail(error, "unsupported version " + std::to_string(h.version) + " (expected 8)");
    if (!countInRange(error, "skin width", h.skinWidth, 1, Md2Limits::maxSkinSide) ||
        !countInRange(error, "skin height", h.skinHeight, 1, Md2Limits::maxSkinSide) ||
        !countInRange(error, "skin count", h.numSkins, 0, Md2Limits::maxSkins) ||
        !countInRange(error, "vertex count", h.numXyz, 1, Md2Limits::maxVertices) ||
        !countInRange(error, "texture coordinate count", h.numSt, 0, Md2Limits::maxTexCoords) ||
        !countInRange(error, "triangle count", h.numTris, 0, Md2Limits::maxTriangles) ||
        !countInRange(error, "frame count", h.numFrames, 1, Md2Limits::maxFrames) ||
        !countInRange(error, "GL command count", h.numGlCmds, 0, 0x7fffffff / 4))
        return false;
    const std::int64_t frameCorners = std::int64_t{h.numFrames} * h.numTris * 3;
    if (frameCorners > Md2Limits::maxFrameCorners)
        return fail(error, std::to_string(h.numFrames) + " frames of " + std::to_string(h.numTris) +
                               " triangles would expand to " + std::to_string(frameCorners) +
                               " frame corners, more than the " + std::to_string(Md2Limits::maxFrameCorners) +
                               " a model may hold");
    const std::int64_t frameSize = Md2Limits::frameHeaderSize + std::int64_t{4} * h.numXyz;
    if (h.frameSize != frameSize)
        return fail(error, "frame size " + std::to_string(h.frameSize) + " does not match " +
                               std::to_string(h.numXyz) + " vertices (expected " + std::to_string(frameSize) +
                               ")");
    if (h.ofsEnd < 0 || static_cast<std::uint64_t>(h.ofsEnd) > bytes.size())
        return fail(error, "file is truncated: the header says " + std::to_string(h.ofsEnd) +
                               " bytes, there are " + std::to_string(bytes.size()));
    if (!lumpInFile(error, in, "skin", h.ofsSkins, h.numSkins, Md2Limits::skinNameSize) ||
        !lumpInFile(error, in, "texture coordinate", h.ofsSt, h.numSt, 4) ||
        !lumpInFile(error, in, "triangle", h.ofsTris, h.numTris, 12) ||
        !lumpInFile(error, in, "frame", h.ofsFrames, h.numFrames, frameSize) ||
        !lumpInFile(error, in, "GL command", h.ofsGlCmds, h.numGlCmds, 4))
        return false;

    // Every lump is inside the file from here on, so the reads below cannot fail.
    Md2Model model;
    model.skinWidth = h.skinWidth;
    model.skinHeight = h.skinHeight;

    model.skins.reserve(static_cast<std::size_t>(h.numSkins));
    for (std::int64_t i = 0; i < h.numSkins; ++i)
        model.skins.push_back(
            fixedName(bytes.data() + h.ofsSkins + i * Md2Limits::skinNameSize, Md2Limits::skinNameSize));

    in.seek(static_cast<std::uint64_t>(h.ofsSt));
    model.texCoords.reserve(static_cast<std::size_t>(h.numSt));
    for (std::int32_t i = 0; i < h.numSt; ++i) {
        std::int16_t s = 0, t = 0;
        in.i16(s);
        in.i16(t);
        model.texCoords.emplace_back(static_cast<float>(s) / static_cast<float>(h.skinWidth),
                                     static_cast<float>(t) / static_cast<float>(h.skinHeight));
    }

    in.seek(static_cast<std::uint64_t>(h.ofsTris));
    model.triangles.reserve(static_cast<std::size_t>(h.numTris));
    for (std::int32_t i = 0; i < h.numTris; ++i) {
        Md2Triangle tri;
        for (std::uint16_t& v : tri.vertex)
            in.u16(v);
        for (std::uint16_t& t : tri.texCoord)
            in.u16(t);
        for (int k = 0; k < 3; ++k) {
            if (tri.vertex[k] >= h.numXyz)
                return fail(error, "triangle " + std::to_string(i) + " uses vertex " +
                                       std::to_string(tri.vertex[k]) + " of " + std::to_string(h.numXyz));
            if (tri.texCoord[k] >= h.numSt)
                return fail(error, "triangle " + std::to_string(i) + " uses texture coordinate " +
                                       std::to_string(tri.texCoord[k]) + " of " + std::to_string(h.numSt));
        }
        model.triangles.push_back(tri);
    }

    model.frames.resize(static_cast<std::size_t>(h.numFrames));
    for (std::int32_t f = 0; f < h.numFrames; ++f) {
        Md2Frame& frame = model.frames[static_cast<std::size_t>(f)];
        in.seek(static_cast<std::uint64_t>(h.ofsFrames + std::int64_t{f} * frameSize));
        float scale[3], translate[3];
        for (float& v : scale)
            in.f32(v);
        for (float& v : translate)
            in.f32(v);
        for (int k = 0; k < 3; ++k)
            if (!std::isfinite(scale[k]) || !std::isfinite(translate[k]))
                return fail(error, "frame " + std::to_string(f) + " has a non-finite scale or translation");
        unsigned char name[16];
        in.bytes(name, sizeof name);
        frame.name = fixedName(name, sizeof name);
        frame.positions.reserve(static_cast<std::size_t>(h.numXyz));
        for (std::int32_t v = 0; v < h.numXyz; ++v) {
            unsigned char packed[4]; // x, y, z, normal index (unused: normals come from the geometry)
            in.bytes(packed, sizeof packed);
            const glm::vec3 position(packed[0] * scale[0] + translate[0], packed[1] * scale[1] + translate[1],
                                     packed[2] * scale[2] + translate[2]);
            if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
                return fail(error, "frame " + std::to_string(f) + " vertex " + std::to_string(v) +
                                       " decodes to a non-finite position");
            frame.positions.push_back(position);
        }
    }

    out = std::move(model);
    error.clear();
    return true;
}

} // namespace vtx
