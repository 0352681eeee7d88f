#include "scene/engine/formats/BitmapFontLayout.h"

#include <cstdint>

namespace vtx {

namespace {
bool metricsValid(const BitmapFontMetrics& f) {
    return f.pictureWidth > 0 && f.pictureHeight > 0 && f.CharWidth > 0 && f.CharHeight > 0 &&
           f.GlyphsIntervalX >= 0 && f.GlyphsIntervalY >= 0;
}
} // namespace

int BitmapFontMetrics::cellsPerRow() const {
    if (!metricsValid(*this)) return 0;
    const std::int64_t perRow =
        (std::int64_t{pictureWidth} + GlyphsIntervalX) / (std::int64_t{CharWidth} + GlyphsIntervalX);
    return perRow < 1 ? 1 : static_cast<int>(perRow);
}

std::optional<std::array<int, 4>> BitmapFontMetrics::glyphRect(int ch) const {
    const int perRow = cellsPerRow();
    if (perRow <= 0) return std::nullopt;
    for (const FontRange& r : Ranges) {
        if (ch < r.StartASCII || ch > r.StopASCII) continue;
        const std::int64_t index = std::int64_t{r.StartGlyphIdx} + ch - r.StartASCII;
        if (index < 0) return std::nullopt;
        const std::int64_t x = (index % perRow) * (std::int64_t{CharWidth} + GlyphsIntervalX);
        const std::int64_t y = (index / perRow) * (std::int64_t{CharHeight} + GlyphsIntervalY);
        if (x + CharWidth > pictureWidth || y + CharHeight > pictureHeight) return std::nullopt;
        return std::array<int, 4>{static_cast<int>(x), static_cast<int>(y), CharWidth, CharHeight};
    }
    return std::nullopt;
}

std::vector<GlyphQuad> layoutText(const BitmapFontMetrics& font, std::string_view text) {
    std::vector<GlyphQuad> quads;
    float x = 0.0f, y = 0.0f;
    bool afterReturn = false;
    for (const char c : text) {
        const int ch = static_cast<unsigned char>(c);
        if (ch == '\r' || ch == '\n') {
            if (!(ch == '\n' && afterReturn)) {
                x = 0.0f;
                y += static_cast<float>(font.CharHeight);
            }
            afterReturn = ch == '\r';
            continue;
        }
        afterReturn = false;
        if (const auto rect = font.glyphRect(ch)) {
            GlyphQuad q;
            q.x = x;
            q.y = y;
            q.w = static_cast<float>(font.CharWidth);
            q.h = static_cast<float>(font.CharHeight);
            q.source = *rect;
            quads.push_back(q);
        }
        x += static_cast<float>(font.CharWidth);
    }
    return quads;
}

} // namespace vtx
