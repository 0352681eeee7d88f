#include "scene/engine/formats/MipChain.h"

#include <algorithm>

namespace vtx {

namespace {

// The source span of destination texel `i` along an axis of `size` texels: two texels, or three for
// the last one when the size is odd (and just one when the size is 1).
struct Span {
    int first, count;
};

Span spanOf(int i, int size, int outSize) {
    if (size == 1) return {0, 1};
    const int first = 2 * i;
    const bool last = i == outSize - 1;
    return {first, last && (size & 1) ? 3 : 2};
}

MipLevel halve(const std::uint8_t* src, int width, int height, int stride) {
    MipLevel out;
    out.width = std::max(1, width / 2);
    out.height = std::max(1, height / 2);
    out.rgba.resize(std::size_t(out.width) * std::size_t(out.height) * 4);
    std::uint8_t* dst = out.rgba.data();
    for (int y = 0; y < out.height; ++y) {
        const Span rows = spanOf(y, height, out.height);
        for (int x = 0; x < out.width; ++x) {
            const Span columns = spanOf(x, width, out.width);
            unsigned sum[4] = {0, 0, 0, 0};
            for (int r = rows.first; r < rows.first + rows.count; ++r) {
                const std::uint8_t* p =
                    src + std::size_t(r) * std::size_t(stride) + std::size_t(columns.first) * 4;
                for (int c = 0; c < columns.count; ++c, p += 4)
                    for (int k = 0; k < 4; ++k)
                        sum[k] += p[k];
            }
            const unsigned n = unsigned(rows.count * columns.count);
            for (int k = 0; k < 4; ++k)
                *dst++ = std::uint8_t((sum[k] + n / 2) / n);
        }
    }
    return out;
}

} // namespace

std::vector<MipLevel> buildMipChain(const std::uint8_t* rgba, int width, int height, int stride) {
    std::vector<MipLevel> levels;
    if (!rgba || width <= 0 || height <= 0 || stride < width * 4) return levels;
    const std::uint8_t* src = rgba;
    int w = width, h = height, s = stride;
    while (w > 1 || h > 1) {
        levels.push_back(halve(src, w, h, s));
        const MipLevel& made = levels.back();
        src = made.rgba.data();
        w = made.width;
        h = made.height;
        s = w * 4;
    }
    return levels;
}

} // namespace vtx
