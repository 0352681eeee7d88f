#pragma once

// Height data from a picture, for the terrain renderer.
//
// The picture is stretched onto a square raster whose side is the picture's width rounded up to a
// power of two, by bilinear resampling (sample centres aligned; neighbours past the picture's edge
// wrap around, so a seamlessly tiling picture stays seamless). Each 8-bit sample (0..255) is a
// height; reads outside the raster wrap around in both directions. Tiles handed out are cached;
// the cache keeps at most maxPoolSize bytes of tile heights and drops the least recently used tiles
// first (a tile still held by a caller stays alive through its shared_ptr but no longer counts).
// Not thread-safe: one user thread.

#include "scene/engine/formats/BmpImage.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace vtx {

class HeightMap {
public:
    void setMaxPoolSize(std::size_t bytes); // bounds the memory kept for cached tiles; evicts at once
    std::size_t maxPoolSize() const;
    void loadFromImage(const GreyImage& image); // replaces the raster and empties the cache
    // Reads the file; throws std::runtime_error("Cannot open file " + path) when it cannot be opened,
    // std::runtime_error with the decoder's message when it is malformed. Leaves the old raster on failure.
    void loadFromFile(const std::string& path);
    int size() const;                        // raster side, 0 before loading
    std::uint8_t height(int x, int y) const; // wraps in both directions (negative too); 0 before loading
    struct Tile {
        int x0 = 0, y0 = 0, samples = 0;
        std::vector<std::uint8_t> heights; // samples x samples, row-major (y outer)
    };
    // A cached square tile of heights starting at (x0, y0) (wrapping); the cache keeps at most
    // maxPoolSize bytes. x0, y0 are reduced into the raster first, so equal tiles share one entry.
    std::shared_ptr<const Tile> tile(int x0, int y0, int samples);
    std::size_t poolBytes() const;

    // Largest picture width accepted by loadFromImage (its raster side is at most this).
    static constexpr int maxSide = 8192;

private:
    using Key = std::tuple<int, int, int>;
    struct Entry {
        std::shared_ptr<const Tile> tile;
        std::list<Key>::iterator lru;
    };
    void evictTo(std::size_t limit);

    int m_side = 0;
    std::vector<std::uint8_t> m_raster;
    std::size_t m_maxPoolSize = 8u * 1024u * 1024u;
    std::size_t m_poolBytes = 0;
    std::map<Key, Entry> m_cache;
    std::list<Key> m_lru; // most recently used first
};

} // namespace vtx
