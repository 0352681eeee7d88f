#pragma once

// The characters of the HUD's message font ("DATA\\font.bmp"), in the order
// of its glyph cells: 16 cells a row, each 30 x 30 pixels, 1 pixel apart.
// The generator draws a cell for every character listed here and the World
// maps the same runs onto the cells, so the two never disagree.
//
// The messages are written in capitals: the runs hold the capitals (and the
// marks) of every language the game ships, in Unicode code points. The first
// run keeps the font's original " " to "Z" cells 0..58.

#include <array>
#include <cstdint>

namespace vtx::hud {

struct GlyphRun {
    char32_t first;
    char32_t last;
};

inline constexpr std::array<GlyphRun, 13> GlyphRuns = {{
    {U' ', U'Z'},           // ASCII: marks, digits, capitals
    {U'\u00A1', U'\u00A1'}, // ¡ (Spanish)
    {U'\u00C0', U'\u00DE'}, // Latin-1 capitals: À..Þ (French, Spanish, Italian, Portuguese, German)
    {U'\u0104', U'\u0104'}, // Ą
    {U'\u0106', U'\u0106'}, // Ć
    {U'\u0118', U'\u0118'}, // Ę
    {U'\u0141', U'\u0141'}, // Ł
    {U'\u0143', U'\u0143'}, // Ń
    {U'\u015A', U'\u015A'}, // Ś
    {U'\u0179', U'\u017B'}, // Ź, ź, Ż (the small letter's cell is drawn too)
    {U'\u0401', U'\u0407'}, // Ё..Ї (Russian Ё, Ukrainian Є, І, Ї)
    {U'\u0410', U'\u042F'}, // А..Я
    {U'\u0490', U'\u0490'}, // Ґ
}};

inline constexpr int Columns = 16;
inline constexpr int Cell = 30;
inline constexpr int Gap = 1;

constexpr int glyphCount() {
    int n = 0;
    for (const GlyphRun& run : GlyphRuns)
        n += int(run.last - run.first) + 1;
    return n;
}

inline constexpr int Rows = (glyphCount() + Columns - 1) / Columns;

} // namespace vtx::hud
