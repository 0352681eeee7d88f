#include "scene/engine/TBitmapFont.h"

#include "scene/engine/FilePath.h"

#include <QImageReader>

#include <stdexcept>

namespace vtx {

void TBitmapFont::loadGlyphsFromFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(nativeFilePath(path)));
    QImage image = reader.read();
    if (image.isNull()) throw std::runtime_error("Cannot open file " + path);
    Glyphs.assign(image);
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
