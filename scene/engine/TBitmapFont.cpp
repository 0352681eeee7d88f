#include "scene/engine/TBitmapFont.h"

#include <stdexcept>

namespace vtx {

void TBitmapFont::loadGlyphsFromFile(const std::string& path) {
    // Decoded when first drawn, and its pixels let go once the renderer holds them.
    try {
        Glyphs.LoadFromFile(path);
    } catch (const std::runtime_error&) {
        throw std::runtime_error("Cannot open file " + path);
    }
}

BitmapFontMetrics TBitmapFont::metrics() const {
    BitmapFontMetrics m;
    m.pictureWidth = Glyphs.width();
    m.pictureHeight = Glyphs.height();
    m.CharWidth = CharWidth;
    m.CharHeight = CharHeight;
    m.GlyphsIntervalX = GlyphsIntervalX;
    m.GlyphsIntervalY = GlyphsIntervalY;
    m.Ranges = Ranges;
    return m;
}

} // namespace vtx
