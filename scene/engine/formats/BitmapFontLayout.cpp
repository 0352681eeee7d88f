#include "scene/engine/formats/BitmapFontLayout.h"

#include <cstdint>
#include <utility>

namespace vtx {

namespace {
// The code point starting at text[i] and its length in bytes; a malformed sequence is its first byte.
std::pair<int, std::size_t> decodeUtf8(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    int code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
    } else {
        return {lead, 1};
    }
    if (i + length > text.size()) return {lead, 1};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return {lead, 1};
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters.
    const int least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return {lead, 1};
    return {code, length};
}

bool metricsValid(const BitmapFontMetrics& f) {
    return f.pictureWidth > 0 && f.pictureHeight > 0 && f.charWidth > 0 && f.charHeight > 0 &&
           f.glyphsIntervalX >= 0 && f.glyphsIntervalY >= 0;
}
} // namespace

int BitmapFontMetrics::cellsPerRow() const {
    if (!metricsValid(*this)) return 0;
    const std::int64_t perRow =
        (std::int64_t{pictureWidth} + glyphsIntervalX) / (std::int64_t{charWidth} + glyphsIntervalX);
    return perRow < 1 ? 1 : static_cast<int>(perRow);
}

std::optional<std::array<int, 4>> BitmapFontMetrics::glyphRect(int ch) const {
    const int perRow = cellsPerRow();
    if (perRow <= 0) return std::nullopt;
    for (const FontRange& r : ranges) {
        if (ch < r.startAscii || ch > r.stopAscii) continue;
        const std::int64_t index = std::int64_t{r.startGlyphIdx} + ch - r.startAscii;
        if (index < 0) return std::nullopt;
        const std::int64_t x = (index % perRow) * (std::int64_t{charWidth} + glyphsIntervalX);
        const std::int64_t y = (index / perRow) * (std::int64_t{charHeight} + glyphsIntervalY);
        if (x + charWidth > pictureWidth || y + charHeight > pictureHeight) return std::nullopt;
        return std::array<int, 4>{static_cast<int>(x), static_cast<int>(y), charWidth, charHeight};
    }
    return std::nullopt;
}

std::vector<GlyphQuad> layoutText(const BitmapFontMetrics& font, std::string_view text) {
    std::vector<GlyphQuad> quads;
    float x = 0.0f, y = 0.0f;
    bool afterReturn = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto [ch, length] = decodeUtf8(text, i);
        i += length;
        if (ch == '\r' || ch == '\n') {
            if (!(ch == '\n' && afterReturn)) {
                x = 0.0f;
                y += static_cast<float>(font.charHeight);
            }
            afterReturn = ch == '\r';
            continue;
        }
        afterReturn = false;
        if (const auto rect = font.glyphRect(ch)) {
            GlyphQuad q;
            q.x = x;
            q.y = y;
            q.w = static_cast<float>(font.charWidth);
            q.h = static_cast<float>(font.charHeight);
            q.source = *rect;
            quads.push_back(q);
        }
        x += static_cast<float>(font.charWidth);
    }
    return quads;
}

} // namespace vtx
