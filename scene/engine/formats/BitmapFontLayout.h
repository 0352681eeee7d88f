#pragma once

// Layout of text drawn with a bitmap font: glyph cells cut from one picture.
//
// Cells of charWidth x charHeight pixels, glyphsIntervalX / glyphsIntervalY pixels apart, are
// numbered left to right, top to bottom, from the picture's top-left. Ranges map runs of characters
// to consecutive cells. Pure arithmetic: the GL side cuts the texture and draws the quads.

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace vtx {

// Characters startAscii..stopAscii (code points; the names are the scene layer's) on consecutive cells.
struct FontRange {
    int startAscii = 0, stopAscii = 0, startGlyphIdx = 0;
};

struct BitmapFontMetrics {
    int pictureWidth = 0, pictureHeight = 0;
    int charWidth = 16, charHeight = 16, glyphsIntervalX = 0, glyphsIntervalY = 0;
    std::vector<FontRange> ranges;
    // (pictureWidth + glyphsIntervalX) / (charWidth + glyphsIntervalX), at least 1 when valid;
    // 0 when the metrics are invalid (non-positive cell size, negative interval, empty picture).
    int cellsPerRow() const;
    // Pixel rectangle of the glyph for a character, or nullopt (no range maps it, or the cell lies outside
    // the picture). The first range that maps the character wins.
    std::optional<std::array<int, 4>> glyphRect(int ch) const; // x, y, w, h
};

struct GlyphQuad {
    float x = 0, y = 0, w = 0, h = 0; // target in pixels from the text's top-left
    std::array<int, 4> source{};      // glyph rectangle in the picture: x, y, w, h
};

// Lays text out: each character advances one charWidth; a character with no glyph leaves a gap; '\r' starts a
// new line (charHeight lower) at x 0; '\n' right after '\r' is ignored, a lone '\n' also starts a new line.
// Text is UTF-8: each character is looked up by its code point. A byte that does not start a well-formed
// UTF-8 sequence counts as one character of its own value (0..255), as older single-byte texts meant it.
std::vector<GlyphQuad> layoutText(const BitmapFontMetrics& font, std::string_view text);

} // namespace vtx
