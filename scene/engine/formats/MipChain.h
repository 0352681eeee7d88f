#pragma once

// The smaller levels of a texture, made on the CPU. A software rasteriser builds mipmaps by drawing
// each level with a blit shader it compiles on first use; for the first frame of the game that
// compile cost more than all of the scene's own drawing. A box filter here costs a millisecond.

#include <cstdint>
#include <vector>

namespace vtx {

struct MipLevel {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4 bytes, rows top to bottom, no padding
};

// Levels 1, 2, ... down to 1 x 1 of an RGBA8 picture of width x height (rows `stride` bytes apart),
// each half the size of the one before, rounded down as OpenGL sizes them. Each texel is the rounded
// mean of the 2 x 2 texels above it; where the level above has an odd size, the last row or column is
// folded into its neighbour (a 3-wide span is averaged), so no texel of the picture is lost.
// Channels are averaged independently (straight alpha), as glGenerateMipmap does.
std::vector<MipLevel> buildMipChain(const std::uint8_t* rgba, int width, int height, int stride);

} // namespace vtx
