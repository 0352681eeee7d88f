#pragma once

// Windows bitmap (BMP) decoding to grey levels, for height pictures and font masks.
//
// The file: a 14-byte file header ("BM", file size, reserved, pixel data offset), then an info
// header of at least 40 bytes (size, width, height (negative = rows stored top-down), planes 1,
// bits per pixel, compression, ...colours used), then for 8-bit pictures a palette of 4-byte
// (blue, green, red, 0) entries, then the rows, each padded to a multiple of 4 bytes.
// Only uncompressed pictures (BI_RGB, and BI_BITFIELDS for 32-bit with the usual masks) of 8, 24
// and 32 bits per pixel are read.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vtx {

struct GreyImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels; // row 0 = top row, width * height bytes
};

// Largest side accepted, in pixels.
inline constexpr int kMaxBmpSide = 8192;

// Grey level of an RGB colour: Rec. 601 luma, rounded (0.299 R + 0.587 G + 0.114 B).
std::uint8_t luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// Decodes an uncompressed BMP (8-bit palettised -> palette luminance, 24/32-bit -> luminance,
// bottom-up or top-down) into grey. False with an error on anything malformed or unsupported;
// `out` is only written on success.
bool decodeBmpGrey(std::span<const unsigned char> bytes, GreyImage& out, std::string& error);

} // namespace vtx
