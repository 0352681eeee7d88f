#pragma once
// Decides, once per cadencer tick, whether the viewer draws a new frame.
//
// A change of the still half of the picture's signature (the camera, what is shown, marks, texts;
// see PictureSignature.h) is drawn at the next frame: it answers the player. A change of the motion
// half alone (ships rocking, flames) is drawn at most once per MotionInterval seconds: those move
// slowly and smoothly enough that a frame every 1/30 s shows them as a frame every 1/60 s does,
// while each frame costs the whole picture on a software renderer. The last state of an animation
// that stopped is still drawn, once the interval has passed.
//
// Times are the cadencer's seconds (TGLCadencer::CurrentTime or OnProgress's newTime), so tests
// drive it with ticks of their own. Not thread-safe; GUI thread only.

#include "scene/engine/PictureSignature.h"

namespace vtx {

class FramePacer {
public:
    static constexpr double DefaultMotionInterval = 1.0 / 30.0;
    double MotionInterval = DefaultMotionInterval;

    // True when a frame showing signatures is due at time now; it then counts as drawn.
    bool frameDue(const PictureSignatures& signatures, double now);
    // The next frame is drawn whatever its signatures (the window was exposed or resized).
    void forget() { m_known = false; }

private:
    PictureSignatures m_drawn;
    double m_drawnAt = 0.0;
    bool m_known = false;
};

} // namespace vtx
