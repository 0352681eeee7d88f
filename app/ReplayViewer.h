#pragma once

// Watching a kept match in the 3D world, from the menu: both fleets on their
// boards, the shots at the match's own pace (a pause longer than 2 s shown as
// 2 s) with their marks, fires, sinkings, shakes and sounds, and the counts
// beside the boards as they stood at that moment. What each shot did is
// worked out again by ReplayPlayer; nothing of the match (its state, points,
// scores, the LAN) is touched. The status line says that this is a replay,
// of whom and when, and where it stands.
//
// Its keys, taken before the window's own while a replay runs (keyPress):
//   Space pause / play (at the end: from the start again)
//   Right, Left one shot forward / back; Home, End the first / the last shot
//   1, 2, 3 the speed x1, x4, x16
//   H the whole enemy fleet shown / as the match revealed it (sunk ships,
//     and the survivors once the player lost)
//   Esc leave to the menu
// The status line's hover text lists them. The camera stays free as in a match. Leaving puts the menu's picture back
// (the boards cleared, the logo); the main window leaves before Single,
// Network or Exit do their work.
//
// Ownership: refers to the boards, the camera effects, the view's texts, the
// match's host (models' animation, the sound while it is on), the status
// line and the main window's match state (all outlive it). UI thread only.

#include "game/Replay.h"
#include "game/ReplayPlayer.h"

#include <QCoreApplication>
#include <QString>
#include <QTimer>

#include <memory>

namespace vtx {

class Boards;
class CameraFx;
class MatchHost;
class StatusLine;
class ViewTexts;

class ReplayViewer {
    Q_DECLARE_TR_FUNCTIONS(ReplayViewer)
public:
    ReplayViewer(Boards& boards, CameraFx& cameraFx, ViewTexts& texts, MatchHost& host, StatusLine& status);
    ~ReplayViewer();

    bool active() const { return m_player != nullptr; }
    // Starts watching (a replay running already gives way), playing at x1.
    void start(const Replay& replay);
    // Back to the menu's picture; nothing when no replay runs.
    void leave();
    // A key of the main window; true when the replay took it.
    bool keyPress(int key);

    // The test probe's words: "none", "playing" or "paused".
    QString stateWord() const;
    // Null when no replay runs.
    const ReplayPlayer* player() const { return m_player.get(); }
    bool wholeFleetShown() const { return m_wholeFleet; }

private:
    void stepDue();
    void schedule();
    // The next shot as it fell: marks, sinking, shake, sound.
    void showNext();
    // The boards again from the start up to the position, without a sound.
    void rebuild();
    void showStepMarks(const ReplayStep& step);
    void showEnemyShips();
    void showStatus();
    void setPlaying(bool on);

    Boards& m_boards;
    CameraFx& m_cameraFx;
    ViewTexts& m_texts;
    MatchHost& m_host;
    StatusLine& m_status;
    std::unique_ptr<ReplayPlayer> m_player;
    QTimer m_stepTimer;
    bool m_wholeFleet = false;
    QString m_title; // "Replay: whom, when"
};

} // namespace vtx
