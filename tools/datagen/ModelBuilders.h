#pragma once

// The game's models, each built from primitives in MD2 units (z up) and
// returned as MD2 file bytes. Deterministic: no randomness outside the fixed
// seeds inside.
//
// Ships: a hull of `length` board cells (1..4; one cell is 100/3 units) from
// x -15 to (length - 0.5) * 100/3 - 1.7, bow towards +x, waterline at z 0,
// draft above z -3, within |y| <= 14. Frames "walk01".."walk24" (a rocking
// loop) then "stop01" (at rest).
// Tree: a snowy-land pine, base at z 0, about 100 units tall, one frame.
// Island: a mound within radius 40 of the origin, from z -5 to about z 10 at
// the tree spots (20, 10) and (-10, 10), one frame.

#include "tools/datagen/ModelMesh.h"

#include <vector>

namespace vtx::datagen {

inline constexpr double kModelCell = 100.0 / 3.0;

ModelMesh buildShipMesh(int length);
std::vector<unsigned char> shipModelFile(int length);

ModelMesh buildTreeMesh();
std::vector<unsigned char> treeModelFile();

// Ground height of the island at (x, y), before it is cut into triangles.
double islandHeight(double x, double y);
ModelMesh buildIslandMesh();
std::vector<unsigned char> islandModelFile();

} // namespace vtx::datagen
