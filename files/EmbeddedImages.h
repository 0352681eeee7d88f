#pragma once

// The pictures that live inside the program instead of a data folder: the 32
// water frames, the four board marks, the button faces, the combo-box
// arrows, the check-box glyphs and the volume-bar frames. The bytes are
// written by the data generator (tools/datagen) as generated source, the
// library "embedded"; the world (scene/) and the controls (ui/) read them.
//
// Names (each the encoded file bytes: JPEG for "water/" and "cell/", PNG else):
//   water/00 .. water/31          128 x 128, consecutive frames of a looping sea
//   cell/hint, cell/hit, cell/frame, cell/bad  64 x 64 on black (additive marks)
//   button/71x24/main|over|press  menu-size face (also Save, Close, Ok, lobby)
//   button/86x24/main|over|press  options Close
//   button/low/main|over|press    25 x 25 volume down, no caption
//   button/high/main|over|press   25 x 25 volume up, no caption
//   combo/main|over|press         20 x 20 arrow: normal, pointer over, pressed
//   check/checked|unchecked|grayed   two 16 x 16 cells side by side (32 x 16);
//                                    the right cell is the disabled look
//   volume/effects, volume/music  160 x 25 frames behind the two volume bars

#include <cstddef>
#include <span>
#include <string_view>

namespace vtx {

// The encoded bytes of the named picture, or an empty span when there is none.
// The bytes live for the whole program.
std::span<const unsigned char> embeddedImage(std::string_view name);

} // namespace vtx
