#pragma once

// Everything that moves in the world without being a rule: the camera the
// player drags, the idle spin of world and sky, the camera floor, the animated
// sea, the shake after a sinking and the edge scroll of the camera rig. The
// cells under the mouse are CellPicker's, the texts over the view ViewTexts'.
//
// Ownership: refers to the World and the match state (both outlive it); owns
// nothing of them and only reads the state. The idle spin is its own. The
// environment is injected so tests can drive it:
//   clock          tickMs() for the idle test and the shake (milliseconds)
//   rightButtonHeld()    the right mouse button's state asked of the system
//   cursorOffsetY()      the cursor's screen Y minus the main window's top
//   randomBelow(n)       uniform 0..n-1 for the shake
//
// Call order: recordIdleStart at every main window activation;
// tickTimerFired every 100 ms; the two mouse handlers for each viewer event;
// startShake and restartIdleWait when the match asks. UI thread only.

#include "game/IClock.h"
#include "game/MatchState.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <functional>

namespace vtx {

class World;

class CameraFx {
public:
    CameraFx(World& world, const MatchState& state, IClock& clock);

    std::function<bool()> rightButtonHeld;
    std::function<int()> cursorOffsetY;
    std::function<int(int n)> randomBelow;
    // The viewer's width over its height; the first view's 616 / 547 when unset.
    std::function<float()> viewAspect;

    static constexpr std::int64_t IdleAfterMs = 30000;
    static constexpr std::int64_t ShakeMs = 400;
    static constexpr float SpinStep = 2.0f;     // degrees per tick
    static constexpr float CameraFloor = -8.0f; // relative to the rig
    static constexpr float CameraReset = -5.0f;
    static constexpr float ScrollStep = 0.5f;
    // The edge scroll keeps the rig's X between these: from the first view
    // (the rig's home X) it may only come closer over the boards, until just
    // before the boards' outer corners leave the viewer. Further out the enemy
    // cells shrank below the first view's far row and the boards became specks.
    static constexpr float ScrollMinX = 7.5f;
    static constexpr float ScrollMaxX = 10.0f;

    // State (read and written by the handlers; public for the window and tests).
    // idleSpin: world and sky turn by SpinStep a tick.
    bool idleSpin = false;
    // A kept match is being watched: as in a match the world holds still and
    // the camera rig scrolls at the window's edges.
    bool watching = false;
    std::int64_t lastMouseMoveTick = 0;
    float savedWorldTurn = 0.0f;
    int mouseX = 0;
    int mouseY = 0;
    int seaFrame = 0;
    bool shakeActive = false;
    std::int64_t shakeStartTick = 0;
    bool shakeToggle = false;
    float shakeSavedX = 0.0f;
    float shakeSavedZ = 0.0f;

    // Window creation values (seaFrame 0).
    void resetCreationState();
    // Main window activation: lastMouseMoveTick := now, savedWorldTurn := the
    // world's turn.
    void recordIdleStart();
    // The end of a match: the spin stops where the world stands and the idle
    // wait starts again from now.
    void restartIdleWait();

    // One 100 ms tick: idle test, spin, camera floor, sea frame, shake, edge
    // scroll. The world never starts to spin while a match is in progress:
    // the boards must not move away while the player thinks.
    void tickTimerFired();
    // The player did something (a mouse move over the viewer, any key): the
    // spin stops, the world snaps back and the idle wait starts again.
    void inputSeen();
    // Any move stops the spin; a move with the right button (and a button or
    // modifier in the event: buttonOrModifierHeld) orbits the camera.
    void viewMouseMoved(bool buttonOrModifierHeld, int x, int y);
    // A button press: where a drag starts.
    void viewMousePressed(int x, int y);

    // The camera's heading over the world in degrees, clockwise from north
    // (north: from the own board towards the enemy board), for the compass.
    double heading() const;
    // Back to the first view: the rig and the camera where the world put them.
    void bridgeView();
    // A new match: the first view with the world and the sky unturned, no
    // spin, and the idle wait from now.
    void firstView();

    void startShake();

    // Keeps the boards in view: the camera goes back along its line to the
    // target, never nearer than it was dragged to, until the board nearer to
    // it lies wholly inside the view, and with the rig at its home X (no edge
    // scroll) the far board too. The first view already shows both and stays
    // as it is. Run after every drag and edge scroll; a camera placed by
    // someone else meanwhile is taken as the dragged one.
    void fitToBoards();
    // The first view's aspect, the viewer at its default size.
    static constexpr float DefaultAspect = 616.0f / 547.0f;

private:
    World& m_world;
    const MatchState& m_state;
    IClock& m_clock;
    float m_homeTurn = 0.0f; // the world's turn and the sky's roll as built
    float m_homeRoll = 0.0f;
    // The camera's place on the rig as dragged, and where fitToBoards put it.
    glm::vec3 m_draggedOffset{0.0f};
    glm::vec3 m_fittedOffset{0.0f};
    bool m_fitted = false;
};

} // namespace vtx
