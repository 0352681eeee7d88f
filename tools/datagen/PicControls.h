#pragma once

// The pictures the program carries inside itself: the sea animation, the
// board marks and the faces of the picture-drawn controls.
//
// Control faces are ARGB: what lies outside a face's outline (rounded button
// corners, the area around a check box) is fully transparent, so a control
// that draws them with QPainter shows the panel through; none of them relies
// on a colour key.

#include <QImage>

namespace vtx::datagen::pic {

inline constexpr int kWaterFrames = 32;
inline constexpr int kWaterSize = 128;
// Frame 0..31 of the looping sea: 128 x 128, tiles seamlessly in x and y, and
// frame 31 leads smoothly into frame 0.
QImage makeWaterFrame(int frame);

// 64 x 64 board marks on black (drawn additively, so black is invisible).
QImage makeHintMark();  // cyan splash ring (a miss)
QImage makeHitMark();   // red-orange burning cross (a hit)
QImage makeBadMark();   // magenta no-entry bar (a placement that does not fit)
QImage makeFrameMark(); // outline of an untouched cell (every mark carries it too)

enum class FaceState { Normal, Over, Pressed };

// A push-button face without caption (the control draws it at run time).
QImage makeButtonFace(int width, int height, FaceState state);
// 25 x 25 volume buttons: a minus (up = false) or a plus (up = true).
QImage makeVolumeButton(bool up, FaceState state);
// 20 x 20 drop-down arrow of the level selector.
QImage makeComboArrow(FaceState state);

enum class CheckState { Unchecked, Checked, Grayed };
// 32 x 16: the enabled box in the left 16 x 16 cell, the disabled look in the right.
QImage makeCheckGlyph(CheckState state);

// 160 x 25 groove behind a volume bar; the bar (140 x 9) is drawn on top at (10, 8).
QImage makeVolumeFrame();

} // namespace vtx::datagen::pic
