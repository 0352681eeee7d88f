#pragma once

// The pictures of the DATA folder: bitmap font, logo, terrain heightmap and
// the textures of the world and its models. Each function draws one picture
// from scratch; the same call always gives the same pixels.

#include <QImage>

namespace vtx::datagen::pic {

// The glyphs of scene/HudGlyphs.h in its order (" ".."Z" from glyph 0, then
// the capitals of the other languages), 30 x 30 cells 1 pixel apart, 16 cells
// per row: 495 x 278. Light glyphs on black.
QImage makeMessageFont();

// One 397 x 303 glyph cell (the "A" of the logo font): the game's name and
// emblem, bright on black.
inline constexpr int kLogoWidth = 397;
inline constexpr int kLogoHeight = 303;
QImage makeLogo();

// 200 x 200 grey heightmap (Format_Grayscale8): open water (< 110) over the
// middle, a ring of snowy mountains (peaks 200..250) further out, seamless at
// the edges.
inline constexpr int kTerrainSize = 200;
QImage makeTerrain();

// 512 x 512 ground of the terrain: a map of it (snow, rock, woods, shore,
// baked light) laid exactly over the heights of makeTerrain; tileable.
QImage makeGroundTexture();
QImage makeDetail(); // 256 x 256 grey rock grain around the middle level, tileable
QImage makeFlare();  // 256 x 256 sun flare on black
QImage makeGrass();  // 256 x 256 grass, sandier towards the bottom rows
// 256 x 256: bark in the left half; in the right half the outside of the
// boughs (rows 0..191, shade near the trunk to snowy tips) over their
// undersides (rows 192..255).
QImage makeTreeSkin();
// 256 x 256 ship atlas: hull side (rows 0..127), deck (bottom left),
// superstructure (bottom right); burnt gives the sunk ship's look.
QImage makeShipSkin(bool burnt);

} // namespace vtx::datagen::pic
