#include "scene/engine/formats/BmpImage.h"
#include "scene/engine/formats/ByteReader.h"

#include <array>
#include <bit>

namespace vtx {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

bool fail(std::string& error, const std::string& text) {
    error = "BMP: " + text;
    return false;
}

// One colour channel selected by a bit mask, scaled to 0..255. An empty mask reads as 0.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    std::uint8_t extract(std::uint32_t pixel) const {
        if (max == 0) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

} // namespace

std::uint8_t luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    // Fixed-point Rec. 601 weights summing to 1000, rounded.
    return static_cast<std::uint8_t>((299u * r + 587u * g + 114u * b + 500u) / 1000u);
}

bool decodeBmpGrey(std::span<const unsigned char> bytes, GreyImage& out, std::string& error) {
    ByteReader in(bytes);
    std::uint8_t b0 = 0, b1 = 0;
    std::uint32_t fileSize = 0, reserved = 0, dataOffset = 0, infoSize = 0;
    if (!in.u8(b0) || !in.u8(b1) || !in.u32(fileSize) || !in.u32(reserved) || !in.u32(dataOffset) ||
        !in.u32(infoSize))
        return fail(error, "file of " + std::to_string(bytes.size()) + " bytes is too short for a header");
    if (b0 != 'B' || b1 != 'M') return fail(error, "bad magic (not \"BM\")");
    if (infoSize < 40)
        return fail(error, "unsupported info header of " + std::to_string(infoSize) +
                               " bytes (OS/2 bitmaps are not read)");
    if (!in.contains(kFileHeaderSize, infoSize))
        return fail(error,
                    "info header of " + std::to_string(infoSize) + " bytes runs past the end of the file");
    std::int32_t width = 0, height = 0;
    std::uint16_t planes = 0, bitCount = 0;
    std::uint32_t compression = 0, imageSize = 0, xppm = 0, yppm = 0, coloursUsed = 0;
    in.i32(width);
    in.i32(height);
    in.u16(planes);
    in.u16(bitCount);
    in.u32(compression);
    in.u32(imageSize);
    in.u32(xppm);
    in.u32(yppm);
    in.u32(coloursUsed);

    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -std::int64_t{height} : std::int64_t{height};
    if (width <= 0 || rows <= 0)
        return fail(error,
                    "empty or negative size " + std::to_string(width) + " x " + std::to_string(height));
    if (width > kMaxBmpSide || rows > kMaxBmpSide)
        return fail(error, "size " + std::to_string(width) + " x " + std::to_string(rows) +
                               " exceeds the limit of " + std::to_string(kMaxBmpSide));
    if (planes != 1) return fail(error, "plane count " + std::to_string(planes) + " (expected 1)");
    if (bitCount != 8 && bitCount != 24 && bitCount != 32)
        return fail(error, "unsupported depth of " + std::to_string(bitCount) +
                               " bits per pixel (8, 24 or 32 are read)");
    if (!(compression == kBiRgb || (compression == kBiBitfields && bitCount == 32)))
        return fail(error, "unsupported compression " + std::to_string(compression) +
                               " (only uncompressed pictures are read)");

    // Channel masks of 32-bit pictures: fixed for BI_RGB, read for BI_BITFIELDS (after a 40-byte header,
    // or inside a longer one: they sit at the same place).
    Channel red(0x00ff0000u), green(0x0000ff00u), blue(0x000000ffu);
    if (compression == kBiBitfields) {
        if (!in.contains(kFileHeaderSize + 40, 12))
            return fail(error, "colour masks run past the end of the file");
        std::uint32_t masks[3] = {};
        in.seek(kFileHeaderSize + 40);
        for (std::uint32_t& m : masks)
            in.u32(m);
        red = Channel(masks[0]);
        green = Channel(masks[1]);
        blue = Channel(masks[2]);
    }

    std::array<std::uint8_t, 256> palette{};
    if (bitCount == 8) {
        const std::uint64_t colours = coloursUsed == 0 ? 256 : coloursUsed;
        if (colours > 256)
            return fail(error, "palette of " + std::to_string(colours) + " colours (at most 256)");
        const std::uint64_t paletteOffset = kFileHeaderSize + infoSize;
        if (!in.contains(paletteOffset, colours * 4))
            return fail(error, "palette runs past the end of the file");
        in.seek(paletteOffset);
        for (std::uint64_t i = 0; i < colours; ++i) {
            std::uint8_t bgr0[4] = {};
            in.bytes(bgr0, 4);
            palette[i] = luminance(bgr0[2], bgr0[1], bgr0[0]);
        }
        // Indices beyond the palette read as black (palette entries default to 0).
    }

    const std::uint64_t stride = ((std::uint64_t(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t rowBytes = std::uint64_t(width) * bitCount / 8;
    // The last row needs only its pixels, not its padding: some writers leave the final padding out.
    const std::uint64_t dataSize = stride * std::uint64_t(rows - 1) + rowBytes;
    if (!in.contains(dataOffset, dataSize))
        return fail(error, "pixel data (offset " + std::to_string(dataOffset) + ", " +
                               std::to_string(dataSize) + " bytes) runs past the end of the file of " +
                               std::to_string(bytes.size()) + " bytes");

    GreyImage image;
    image.width = width;
    image.height = static_cast<int>(rows);
    image.pixels.resize(std::size_t(width) * std::size_t(rows));
    const unsigned char* data = bytes.data() + dataOffset;
    for (std::int64_t r = 0; r < rows; ++r) {
        const std::int64_t target = topDown ? r : rows - 1 - r;
        const unsigned char* src = data + std::uint64_t(r) * stride;
        std::uint8_t* dst = image.pixels.data() + std::uint64_t(target) * std::uint64_t(width);
        for (std::int32_t x = 0; x < width; ++x) {
            switch (bitCount) {
            case 8:
                dst[x] = palette[src[x]];
                break;
            case 24:
                dst[x] = luminance(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default: {
                const unsigned char* p = src + 4 * x;
                const std::uint32_t pixel = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                            (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
                dst[x] = luminance(red.extract(pixel), green.extract(pixel), blue.extract(pixel));
            }
            }
        }
    }
    out = std::move(image);
    error.clear();
    return true;
}

} // namespace vtx
