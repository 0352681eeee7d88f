#pragma once
// A font of glyph cells cut from one picture (Glyphs): cells of charWidth x charHeight pixels,
// glyphsIntervalX / glyphsIntervalY apart, numbered left to right, top to bottom; Ranges map runs of
// characters to consecutive cells. Owned by the caller; HudText objects refer to it and it must
// outlive them. Change the metrics at any time; they are read at every frame.

#include "scene/engine/TextureImage.h"
#include "scene/engine/formats/BitmapFontLayout.h"

#include <string>
#include <vector>

namespace vtx {

class BitmapFont {
public:
    // The glyph picture (backslashes in `path` count as directory separators). Loading a missing file
    // throws std::runtime_error("Cannot open file " + path).
    void loadGlyphsFromFile(const std::string& path);
    TextureImage glyphs;

    int charWidth = 16;
    int charHeight = 16;
    int glyphsIntervalX = 0;
    int glyphsIntervalY = 0;
    std::vector<FontRange> ranges;
    void addRange(int startAscii, int stopAscii, int startGlyphIndex) {
        ranges.push_back(FontRange{startAscii, stopAscii, startGlyphIndex});
    }

    BitmapFontMetrics metrics() const;
};

} // namespace vtx
