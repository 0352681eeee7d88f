// libFuzzer target: the BMP decoder and what the terrain does with a picture it accepted (height
// data, cached tiles, a terrain patch with stitched edges).

#include "scene/engine/formats/BmpImage.h"
#include "scene/engine/formats/HeightMap.h"
#include "scene/engine/formats/TerrainPatch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vtx::GreyImage image;
    std::string error;
    if (!vtx::decodeBmpGrey(std::span<const unsigned char>(data, size), image, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) std::abort();
    vtx::HeightMap hds;
    hds.setMaxPoolSize(4096);
    hds.loadFromImage(image);
    // Tile positions and detail levels taken from the input's last bytes.
    const auto byte = [&](std::size_t k) { return size > k ? int(data[size - 1 - k]) : 0; };
    for (int k = 0; k < 4; ++k) {
        hds.tile((byte(k) - 128) * 37, (byte(k + 4) - 128) * 53, 1 + byte(k + 8) % 40);
        if (hds.poolBytes() > hds.maxPoolSize()) std::abort();
    }
    vtx::TerrainTileKey key;
    key.tileX = byte(12) - 128;
    key.tileY = byte(13) - 128;
    key.lod = byte(14) % 7 - 1;
    for (int e = 0; e < 4; ++e)
        key.neighbourLod[e] = byte(15 + e) % 7 - 1;
    const vtx::TerrainPatch patch = vtx::buildTerrainPatch(hds, 32, 8, key);
    for (const std::uint32_t index : patch.indices)
        if (index >= patch.positions.size()) std::abort();
    return 0;
}
