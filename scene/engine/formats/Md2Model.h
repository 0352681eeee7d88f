#pragma once

// The MD2 model file, as read by the engine's actors.
//
// All numbers are little-endian. The file opens with a 68-byte header of seventeen 32-bit signed
// integers:
//   ident ("IDP2"), version (8), skinwidth, skinheight (pixels of the skin picture),
//   framesize (bytes of one frame), num_skins, num_xyz (vertices per frame), num_st (texture
//   coordinates), num_tris, num_glcmds (32-bit words), num_frames,
//   ofs_skins, ofs_st, ofs_tris, ofs_frames, ofs_glcmds, ofs_end (byte offsets from the file start).
// Lumps:
//   skins:  num_skins names of 64 bytes, NUL-padded.
//   st:     num_st pairs of int16 (s, t) in skin pixels, (0,0) the picture's top-left.
//   tris:   num_tris records of six uint16: three vertex indices, then three st indices.
//           MD2 triangles are stored clockwise seen from outside (Quake convention); the mesh
//           built from them (Md2Mesh.h) reverses them.
//   frames: num_frames records of framesize bytes: float scale[3], float translate[3],
//           char name[16] (NUL-padded), then num_xyz packed vertices of 4 bytes (x, y, z, normal
//           index), so framesize = 40 + 4 * num_xyz. A position is packed * scale + translate.
//   glcmds: triangle strips/fans for old renderers; not read.
//
// The parser trusts nothing: every count is bounded, every lump's offset + size is checked against
// the byte length in 64-bit arithmetic before a byte of it is read, every triangle index against the
// vertex and texture-coordinate counts.

#include <glm/glm.hpp>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vtx {

struct Md2Triangle {
    std::array<std::uint16_t, 3> vertex{};   // indices into Md2Frame::positions
    std::array<std::uint16_t, 3> texCoord{}; // indices into Md2Model::texCoords
};

struct Md2Frame {
    std::string name;                 // up to 15 characters
    std::vector<glm::vec3> positions; // decoded: packed * scale + translate, model units
};

struct Md2Model {
    int skinWidth = 0, skinHeight = 0;
    std::vector<std::string> skins;
    std::vector<glm::vec2>
        texCoords; // normalised: s / skinWidth, t / skinHeight; (0,0) = top-left of the picture
    std::vector<Md2Triangle> triangles;
    std::vector<Md2Frame> frames; // all with the same vertex count
};

// Limits on what a model may hold; a file over any of them is refused.
struct Md2Limits {
    static constexpr int maxSkinSide = 4096;
    static constexpr int maxSkins = 32;
    static constexpr int maxVertices = 65535;
    static constexpr int maxTexCoords = 65535;
    static constexpr int maxTriangles = 131072;
    static constexpr int maxFrames = 1024;
    // The mesh keeps a position and a normal per triangle corner and frame (Md2Mesh.h), so a
    // small file of many frames and many triangles would expand to gigabytes. 4 Mi frame corners
    // is about 100 MB of mesh, fifty times the largest ship the game ships.
    static constexpr std::int64_t maxFrameCorners = std::int64_t{1} << 22;
    static constexpr int headerSize = 68;
    static constexpr int frameHeaderSize = 40;
    static constexpr int skinNameSize = 64;
};

// Parses MD2 bytes (magic "IDP2", version 8). Every count and offset+size is checked
// against the byte length with 64-bit arithmetic, every triangle index against the
// vertex/texcoord counts, limits on counts (Md2Limits).
// Returns false with a human-readable error on any malformed input; never reads outside `bytes`.
// `out` is only written on success.
bool parseMd2(std::span<const unsigned char> bytes, Md2Model& out, std::string& error);

} // namespace vtx
