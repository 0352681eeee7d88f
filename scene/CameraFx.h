#pragma once

// Everything that moves in the world without being a rule: the camera the
// player drags, the idle spin of world and sky, the camera floor, the animated
// sea, the shake after a sinking, the edge scroll of the camera rig, the two
// HUD texts and the picking of board cells under the mouse.
//
// Ownership: refers to the World, the Boards and the Match (all outlive it);
// owns nothing of them. The environment is injected so tests can drive it:
//   clock          tickMs() for the idle test and the shake (milliseconds)
//   pick(x, y)     the object under a viewer pixel (the viewer's PickObject)
//   pickThrough(x, y, lookThrough)   the same, looking through the objects
//                  lookThrough accepts (the viewer's PickObjectThrough)
//   rightButtonHeld()    the right mouse button's state asked of the system
//   cursorOffsetY()      the cursor's screen Y minus the main window's top
//   randomBelow(n)       uniform 0..n-1 for the shake
//   hoverWanted()        the pointer's cell is wanted outside an arrangement
//                        too (the keyboard's cursor follows it)
//   cellHovered(name)    the pointer came onto another cell plane
//
// Call order: RecordIdleStart at every main window activation;
// timerScrollTimer every 100 ms; the two mouse handlers for each viewer event;
// PickHover once a frame, before drawing; the HUD calls from the match. UI
// thread only.

#include "game/IClock.h"
#include "game/Match.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace vtx {

class Boards;
class TGLBaseSceneObject;
class World;

class CameraFx {
public:
    CameraFx(World& world, Boards& boards, Match& match, IClock& clock);

    std::function<TGLBaseSceneObject*(int x, int y)> pick;
    std::function<TGLBaseSceneObject*(int x, int y,
                                      const std::function<bool(const TGLBaseSceneObject&)>& lookThrough)>
        pickThrough;
    std::function<bool()> rightButtonHeld;
    std::function<int()> cursorOffsetY;
    std::function<int(int n)> randomBelow;
    std::function<bool()> hoverWanted;
    std::function<void(std::string_view cellName)> cellHovered;

    static constexpr std::int64_t IdleAfterMs = 30000;
    static constexpr std::int64_t ShakeMs = 400;
    static constexpr float SpinStep = 2.0f;     // degrees per tick
    static constexpr float CameraFloor = -8.0f; // relative to the rig
    static constexpr float CameraReset = -5.0f;
    static constexpr float ScrollStep = 0.5f;
    static constexpr float ScrollLimitX = 40.0f;
    static constexpr float MessageAlphaLow = 0.6f; // the win or loss message at the pulse's low

    // State (read and written by the handlers; public for the window and tests).
    std::int64_t LastMouseMoveTick = 0;
    float SavedWorldTurn = 0.0f;
    int MouseX = 0;
    int MouseY = 0;
    std::int32_t HudPulseStep = 5;
    int SeaFrame = 0;
    bool ShakeActive = false;
    std::int64_t ShakeStartTick = 0;
    bool ShakeToggle = false;
    float ShakeSavedX = 0.0f;
    float ShakeSavedZ = 0.0f;

    // Window creation values (HudPulseStep 5, SeaFrame 0).
    void ResetCreationState();
    // Main window activation: LastMouseMoveTick := now, SavedWorldTurn := the
    // world's turn.
    void RecordIdleStart();

    // One 100 ms tick: idle test, message pulse, spin, camera floor, sea
    // frame, shake, the LAN exchange completion, edge scroll.
    void timerScrollTimer();
    // shiftNotEmpty: a button or modifier was down with the event. The hover
    // test of the pointer's new place waits for PickHover.
    void GLSceneViewer1MouseMove(bool shiftNotEmpty, int x, int y);
    // The hover test for the pointer's last place, if it moved since. A pick
    // draws the picture again and reads it back; a mouse reports moves far
    // more often than frames are drawn, and only the last place of a frame
    // can show. A click runs a waiting one first.
    void PickHover();
    void GLSceneViewer1MouseDown(MouseButton button, int x, int y);

    // The camera's heading over the world in degrees, clockwise from north
    // (north: from the own board towards the enemy board), for the compass.
    double Heading() const;
    // Back to the first view: the rig and the camera where the world put them.
    void BridgeView();

    void StartShake();
    void ShowWinMessage();
    void ShowLossMessage();
    void HideHudMessage();
    void ShowLogo(bool visible);

private:
    bool hovering() const;
    bool isCell(const TGLBaseSceneObject* object) const;
    // The object under the pixel for the hover test and the clicks.
    TGLBaseSceneObject* pickAt(int x, int y);

    bool m_hoverPending = false;
    int m_hoverX = 0, m_hoverY = 0;

    World& m_world;
    Boards& m_boards;
    Match& m_match;
    IClock& m_clock;
};

} // namespace vtx
