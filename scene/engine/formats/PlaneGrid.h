#pragma once
// Joins planes that lie edge to edge in one plane into fewer, larger ones with the texture repeated
// once per original plane: the same picture from far fewer, larger triangles. On a software
// rasteriser a board of a hundred small quads costs about twice what one quad of the same area
// does, because each small quad pays for the partly covered pixel blocks along its edges and its
// diagonal.
//
// A plane is given as the renderer draws it: its model matrix (the unit quad's X axis scaled by the
// width, Y by the height, centred on the translation; u runs along +X, v along -Y) and its texture
// repeat. Two planes join when their axes and repeats are equal and their centres differ by whole
// multiples of those axes; the joined plane's repeat is the count of planes times the repeat, so
// with a repeating texture every part shows the texels it showed before. Only for planes whose
// drawing order does not matter (opaque, or blended by addition), and only for textures that
// repeat. A plane that lies exactly on another one stays a plane of its own.
//
// No OpenGL here: the renderer passes its per-instance floats and draws what comes back.

#include <vector>

namespace vtx {

// Per plane: 16 floats of column-major model matrix, then the texture repeat in u and v.
inline constexpr int kPlaneFloats = 18;

// Rewrites `planes` (kPlaneFloats each) in place, joined where they can be; the order of the
// result is unspecified. Returns the number of planes left.
int joinAdjacentPlanes(std::vector<float>& planes);

} // namespace vtx
