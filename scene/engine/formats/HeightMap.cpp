#include "scene/engine/formats/HeightMap.h"
#include "scene/engine/formats/FileBytes.h"

#include <cmath>
#include <stdexcept>

namespace vtx {

namespace {

int wrap(std::int64_t v, int side) {
    const std::int64_t r = v % side;
    return static_cast<int>(r < 0 ? r + side : r);
}

int roundUpToPowerOfTwo(int v) {
    int p = 1;
    while (p < v)
        p *= 2;
    return p;
}

} // namespace

void HeightMap::setMaxPoolSize(std::size_t bytes) {
    m_maxPoolSize = bytes;
    evictTo(m_maxPoolSize);
}

std::size_t HeightMap::maxPoolSize() const {
    return m_maxPoolSize;
}

void HeightMap::loadFromImage(const GreyImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > maxSide || image.height > maxSide ||
        image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
        throw std::invalid_argument(
            "HeightMap: picture of " + std::to_string(image.width) + " x " + std::to_string(image.height) +
            " with " + std::to_string(image.pixels.size()) + " samples cannot be used as height data");
    const int side = roundUpToPowerOfTwo(image.width);
    std::vector<std::uint8_t> raster(std::size_t(side) * std::size_t(side));
    // Bilinear resampling with sample centres aligned; neighbours wrap around like the raster itself,
    // so a picture that tiles seamlessly still does after the stretch.
    const double fx = double(image.width) / side, fy = double(image.height) / side;
    std::vector<int> x0(side), x1(side);
    std::vector<double> tx(side);
    for (int i = 0; i < side; ++i) {
        const double s = (i + 0.5) * fx - 0.5;
        const double f = std::floor(s);
        x0[i] = wrap(static_cast<std::int64_t>(f), image.width);
        x1[i] = wrap(static_cast<std::int64_t>(f) + 1, image.width);
        tx[i] = s - f;
    }
    for (int j = 0; j < side; ++j) {
        const double s = (j + 0.5) * fy - 0.5;
        const double f = std::floor(s);
        const std::uint8_t* row0 =
            &image.pixels[std::size_t(wrap(static_cast<std::int64_t>(f), image.height)) * image.width];
        const std::uint8_t* row1 =
            &image.pixels[std::size_t(wrap(static_cast<std::int64_t>(f) + 1, image.height)) * image.width];
        const double ty = s - f;
        std::uint8_t* dst = &raster[std::size_t(j) * side];
        for (int i = 0; i < side; ++i) {
            const double top = row0[x0[i]] + (row0[x1[i]] - row0[x0[i]]) * tx[i];
            const double bottom = row1[x0[i]] + (row1[x1[i]] - row1[x0[i]]) * tx[i];
            dst[i] = static_cast<std::uint8_t>(std::lround(top + (bottom - top) * ty));
        }
    }
    m_side = side;
    m_raster = std::move(raster);
    m_cache.clear();
    m_lru.clear();
    m_poolBytes = 0;
}

void HeightMap::loadFromFile(const std::string& path) {
    GreyImage image;
    std::string error;
    if (!decodeBmpGrey(readWholeFile(path), image, error)) throw std::runtime_error(error);
    loadFromImage(image);
}

int HeightMap::size() const {
    return m_side;
}

std::uint8_t HeightMap::height(int x, int y) const {
    if (m_side == 0) return 0;
    return m_raster[std::size_t(wrap(y, m_side)) * m_side + std::size_t(wrap(x, m_side))];
}

std::shared_ptr<const HeightMap::Tile> HeightMap::tile(int x0, int y0, int samples) {
    if (samples <= 0 || samples > maxSide)
        throw std::invalid_argument("HeightMap: tile of " + std::to_string(samples) + " samples");
    if (m_side > 0) {
        x0 = wrap(x0, m_side);
        y0 = wrap(y0, m_side);
    }
    const Key key{x0, y0, samples};
    if (const auto it = m_cache.find(key); it != m_cache.end()) {
        m_lru.splice(m_lru.begin(), m_lru, it->second.lru);
        return it->second.tile;
    }
    auto t = std::make_shared<Tile>();
    t->x0 = x0;
    t->y0 = y0;
    t->samples = samples;
    t->heights.resize(std::size_t(samples) * std::size_t(samples));
    for (int j = 0; j < samples; ++j)
        for (int i = 0; i < samples; ++i)
            t->heights[std::size_t(j) * samples + i] = height(x0 + i, y0 + j);
    const std::size_t bytes = t->heights.size();
    if (bytes > m_maxPoolSize) return t; // too big to keep at all
    evictTo(m_maxPoolSize - bytes);
    m_lru.push_front(key);
    m_cache.emplace(key, Entry{t, m_lru.begin()});
    m_poolBytes += bytes;
    return t;
}

std::size_t HeightMap::poolBytes() const {
    return m_poolBytes;
}

void HeightMap::evictTo(std::size_t limit) {
    while (m_poolBytes > limit && !m_lru.empty()) {
        const auto it = m_cache.find(m_lru.back());
        m_poolBytes -= it->second.tile->heights.size();
        m_cache.erase(it);
        m_lru.pop_back();
    }
}

} // namespace vtx
