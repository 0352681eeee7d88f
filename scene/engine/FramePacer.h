#pragma once
// Decides, once per cadencer tick, whether the viewer draws a new frame.
//
// A change of the view half of the picture's signature (the camera; see PictureSignature.h) is
// drawn at the next frame: the picture follows the hand that drags the camera. A change of the
// scene half (the sea's frames, the idle spin, a mark, a text) is drawn at most once per
// motionInterval seconds, on a steady beat: what moves by itself moves slowly enough that 24 frames
// a second, the rate of film, show it as 60 do, and a mark that shows up to 1/24 s later is not
// seen to wait, while each frame costs the whole picture on a software renderer. A change of the
// drift alone (ships rocking at anchor by well under a pixel between two of their frames) is drawn
// at most once per driftInterval, and one of the flames alone (they move at every tick) at most once
// per flameInterval, by default as seldom: while the sea's frames change ten times a second, they
// never cost a frame of their own, and an idle battle, burning or not, is drawn at the sea's rate
// instead of 24 times a second. The last state of an animation that stopped is still drawn, once
// the interval has passed.
//
// Times are the cadencer's seconds (FrameClock::currentTime or onProgress's newTime), so tests
// drive it with ticks of their own. Not thread-safe; GUI thread only.

#include "scene/engine/PictureSignature.h"

namespace vtx {

class FramePacer {
public:
    static constexpr double DefaultMotionInterval = 1.0 / 24.0;
    double motionInterval = DefaultMotionInterval;
    static constexpr double DefaultDriftInterval = 1.0 / 8.0;
    double driftInterval = DefaultDriftInterval;
    double flameInterval = DefaultDriftInterval;

    // True when a frame showing signatures is due at time now; it then counts as drawn.
    bool frameDue(const PictureSignatures& signatures, double now);
    // The next frame is drawn whatever its signatures (the window was exposed or resized).
    void forget() { m_known = false; }

private:
    PictureSignatures m_drawn;
    double m_nextDue = 0.0; // the earliest time of the next frame for a change of the scene
    double m_lastDrawn = 0.0;
    bool m_known = false;
};

} // namespace vtx
