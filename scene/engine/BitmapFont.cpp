#include "scene/engine/BitmapFont.h"

#include <stdexcept>

namespace vtx {

void BitmapFont::loadGlyphsFromFile(const std::string& path) {
    // Decoded when first drawn, and its pixels let go once the renderer holds them.
    try {
        glyphs.loadFromFile(path);
    } catch (const std::runtime_error&) {
        throw std::runtime_error("Cannot open file " + path);
    }
}

BitmapFontMetrics BitmapFont::metrics() const {
    BitmapFontMetrics m;
    m.pictureWidth = glyphs.width();
    m.pictureHeight = glyphs.height();
    m.charWidth = charWidth;
    m.charHeight = charHeight;
    m.glyphsIntervalX = glyphsIntervalX;
    m.glyphsIntervalY = glyphsIntervalY;
    m.ranges = ranges;
    return m;
}

} // namespace vtx
