#pragma once
// A font of glyph cells cut from one picture (Glyphs): cells of CharWidth x CharHeight pixels,
// GlyphsIntervalX / GlyphsIntervalY apart, numbered left to right, top to bottom; Ranges map runs of
// characters to consecutive cells. Owned by the caller; THUDText objects refer to it and it must
// outlive them. Change the metrics at any time; they are read at every frame.

#include "scene/engine/TGLTextureImage.h"
#include "scene/engine/formats/BitmapFontLayout.h"

#include <string>
#include <vector>

namespace vtx {

class TBitmapFont {
public:
    // The glyph picture (backslashes in `path` count as directory separators). Loading a missing file
    // throws std::runtime_error("Cannot open file " + path).
    void loadGlyphsFromFile(const std::string& path);
    TGLTextureImage Glyphs;

    int CharWidth = 16;
    int CharHeight = 16;
    int GlyphsIntervalX = 0;
    int GlyphsIntervalY = 0;
    std::vector<FontRange> Ranges;
    void addRange(int startAscii, int stopAscii, int startGlyphIndex) {
        Ranges.push_back(FontRange{startAscii, stopAscii, startGlyphIndex});
    }

    BitmapFontMetrics metrics() const;
};

} // namespace vtx
