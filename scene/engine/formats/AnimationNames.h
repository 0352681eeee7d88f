#pragma once

// Named animations of an actor, derived from its model's frame names.

#include <string>
#include <vector>

namespace vtx {

struct AnimationRange {
    std::string name;
    int first = 0; // inclusive frame indices
    int last = 0;
};

// The animation name one frame belongs to: the frame name without the last two characters when
// the next-to-last is a digit, else without the last one ("walk01" -> "walk", "run1" -> "run").
std::string animationNameOfFrame(const std::string& frameName);

// The frame-name rule: a frame's animation name is its name without the last two characters when
// the next-to-last is a digit, else without the last one; a name starts at the first frame bearing
// it and ends at the frame before the next name's first frame; the last ends at the last frame.
// Ranges come in frame order. A name that reappears later after another name does not start a new
// range (its range already exists); the frames in between belong to the names that start there.
std::vector<AnimationRange> animationsFromFrameNames(const std::vector<std::string>& frameNames);

} // namespace vtx
