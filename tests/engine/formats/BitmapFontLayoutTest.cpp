#include "scene/engine/formats/BitmapFontLayout.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

// The message font: a 495 x 123 picture of 30 x 30 cells 1 pixel apart, " " .. "Z" from glyph 0.
BitmapFontMetrics messageFont() {
    BitmapFontMetrics f;
    f.pictureWidth = 495;
    f.pictureHeight = 123;
    f.charWidth = f.charHeight = 30;
    f.glyphsIntervalX = f.glyphsIntervalY = 1;
    f.ranges = {{' ', 'Z', 0}};
    return f;
}

TEST(BitmapFontLayout, CellsPerRowRule) {
    BitmapFontMetrics f = messageFont();
    EXPECT_EQ(f.cellsPerRow(), 16); // (495 + 1) / 31
    f.pictureWidth = 494;
    EXPECT_EQ(f.cellsPerRow(), 15); // the 16th cell no longer fits with its interval
    f.pictureWidth = 397;
    f.charWidth = 397;
    f.glyphsIntervalX = 0;
    EXPECT_EQ(f.cellsPerRow(), 1);
    f.pictureWidth = 100; // narrower than one cell: still one per row, but no glyph fits
    EXPECT_EQ(f.cellsPerRow(), 1);
    f.ranges = {{'A', 'H', 0}};
    EXPECT_FALSE(f.glyphRect('A'));
    f.charWidth = 0;
    EXPECT_EQ(f.cellsPerRow(), 0);
    EXPECT_FALSE(f.glyphRect('A'));
}

TEST(BitmapFontLayout, GlyphRectanglesSpaceToZ) {
    const BitmapFontMetrics f = messageFont();
    EXPECT_EQ(f.glyphRect(' '), (std::array<int, 4>{0, 0, 30, 30}));
    EXPECT_EQ(f.glyphRect('!'), (std::array<int, 4>{31, 0, 30, 30}));
    EXPECT_EQ(f.glyphRect('/'), (std::array<int, 4>{465, 0, 30, 30}));  // glyph 15: last of row 0
    EXPECT_EQ(f.glyphRect('0'), (std::array<int, 4>{0, 31, 30, 30}));   // glyph 16
    EXPECT_EQ(f.glyphRect('A'), (std::array<int, 4>{31, 62, 30, 30}));  // glyph 33: row 2, column 1
    EXPECT_EQ(f.glyphRect('Z'), (std::array<int, 4>{310, 93, 30, 30})); // glyph 58: row 3, column 10
    EXPECT_FALSE(f.glyphRect('a'));
    EXPECT_FALSE(f.glyphRect(31));
    EXPECT_FALSE(f.glyphRect(-200));

    BitmapFontMetrics shifted = f; // a range starting beyond the picture's cells
    shifted.ranges = {{'a', 'z', 60}};
    EXPECT_EQ(shifted.glyphRect('a'), (std::array<int, 4>{310 + 31 * 2, 93, 30, 30}));
    EXPECT_FALSE(shifted.glyphRect('e')); // glyph 64 would be row 4: below the picture
    shifted.ranges = {{'a', 'z', -1}};
    EXPECT_FALSE(shifted.glyphRect('a'));
    EXPECT_EQ(shifted.glyphRect('b'), (std::array<int, 4>{0, 0, 30, 30}));
}

TEST(BitmapFontLayout, TextLeavesGapsAndBreaksLines) {
    const BitmapFontMetrics f = messageFont();
    const std::vector<GlyphQuad> quads = layoutText(f, "Ab\rC\r\nD\nE");
    // 'b' has no glyph: a gap of one cell. "\r\n" is one line break, "\n" alone another.
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_EQ(quads[0].x, 0.0f);
    EXPECT_EQ(quads[0].y, 0.0f);
    EXPECT_EQ(quads[0].source, *f.glyphRect('A'));
    EXPECT_EQ(quads[1].x, 0.0f); // 'C' at the start of line 2
    EXPECT_EQ(quads[1].y, 30.0f);
    EXPECT_EQ(quads[2].y, 60.0f); // 'D'
    EXPECT_EQ(quads[3].y, 90.0f); // 'E'
    EXPECT_EQ(quads[3].w, 30.0f);
    const std::vector<GlyphQuad> gap = layoutText(f, "A?A\xC4"
                                                     "A");
    ASSERT_EQ(gap.size(), 4u); // '?' is in range (glyph 31); 0xC4 is not
    EXPECT_EQ(gap[2].x, 60.0f);
    EXPECT_EQ(gap[3].x, 120.0f);
    EXPECT_EQ(layoutText(f, "\n\r\r").size(), 0u);

    // UTF-8: one cell per character, found by its code point. A broken or overlong
    // sequence is one cell per byte.
    BitmapFontMetrics wide = f;
    wide.ranges.push_back({0x401, 0x42F, 0}); // Cyrillic capitals on cells from 0
    const std::vector<GlyphQuad> cyrillic = layoutText(wide, "\xD0\x91"
                                                             "A\xD0\xAF");
    ASSERT_EQ(cyrillic.size(), 3u);
    EXPECT_EQ(cyrillic[0].source, *wide.glyphRect(0x411));
    EXPECT_EQ(cyrillic[1].x, 30.0f);
    EXPECT_EQ(cyrillic[2].x, 60.0f);
    EXPECT_EQ(layoutText(wide, "\xD0"
                               "A")
                  .size(),
              1u); // a lead byte without its follower
    EXPECT_EQ(layoutText(wide, "\xC0\x81"
                               "A")[0]
                  .x,
              60.0f); // overlong: two cells, then 'A'
}

} // namespace
} // namespace vtx
