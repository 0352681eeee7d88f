#pragma once

// The main window: the 3D view, the status line and the six menu buttons; the
// one place that wires the match, the world, the sound and the windows.
//
// Ownership: owns the one Match, the World (scene), the Boards, CameraFx,
// ViewTexts and CellPicker on it, the sound system, the music player, the
// volume control, the clocks and the timers. The message, options and high-score windows are created
// after it (program entry) and handed over with setWindows; it does not own
// them and they must outlive its use of them (all live until the program ends).
//
// Life: construction runs startUp (sound start-up, startDir, localIp, the
// static scenery). A failure there leaves startupError() set: the program
// shows it and ends. The first show runs shown, which builds the ship
// models and cell planes once. Closing runs closing (music, volumes,
// selection colour) and, when quitOnClose, ends the event loop.
//
// The adapters that answer the other parts live in rooms of their own:
// MatchHost (what the match asks), LanHost (the LAN link, the lobby's and the
// receiver's host), OptionsHost and ScoreHost (the options and high-score
// windows), ReplayKeeper and ReplayViewer (every match kept, a kept one
// watched again), TestProbe (tests that drive the real program from outside). They
// read the window's parts through WindowParts. Everything runs on the UI thread.
//
// A click on the view: the viewer's mouse event -> viewMousePressed -> the
// picker's typed cell (CellPicker::pressed) -> Match::cellClicked -> the
// match's host -> the boards. The hover test of each frame (pickHover) hands
// its cell to Match::cellHovered and to the keyboard's cursor the same way.

#include "app/BattleHud.h"
#include "app/KeyboardControl.h"
#include "app/LanHost.h"
#include "app/MatchHost.h"
#include "app/OptionsHost.h"
#include "app/ReplayKeeper.h"
#include "app/ReplayViewer.h"
#include "app/ScoreHost.h"
#include "app/StatusLine.h"
#include "app/WindowParts.h"
#include "game/Match.h"
#include "game/SystemClock.h"
#include "net/UdpEndpoint.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/CellCursorMark.h"
#include "scene/CellPicker.h"
#include "scene/ViewTexts.h"
#include "scene/World.h"
#include "scene/engine/TextureImage.h"
#include "ui/SkinnedWindow.h"

#include <QColor>
#include <QString>
#include <QTimer>

#include <filesystem>
#include <memory>

class QLabel;
class QWindow;

namespace vtx {

class ChatPanel;
class MusicPlayer;
class PlayAgain;
class SignalBridge;
class SoundSystem;
class MessageWindow;
class OptionsWindow;
class ScoresWindow;
class LobbyWindow;
class FrameClock;
class Compass;
class SceneView;
class TestProbe;
class SkinButton;
class VolumeControl;

class MainWindow : public SkinnedWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 751;
    static constexpr int ClientHeight = 605;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setWindows(MessageWindow* messageWindow, OptionsWindow* opt, ScoresWindow* score);
    // The LAN lobby, created after the message window (it may scan the
    // network with the message window showing).
    void setLobby(LobbyWindow* lobby);

    // Empty when start-up went well; otherwise the text naming what failed.
    const QString& startupError() const { return m_startupError; }
    // The sound library's version check failed: its message was shown and
    // the program ends.
    bool startupAborted() const { return m_startupAborted; }
    // A signal or a close asked the program to end; the start stops at its next step.
    bool endRequested() const { return m_ending; }
    // False keeps the event loop running after the window closed (tests).
    bool quitOnClose = true;

    // ------------------------------------------------------------ components
    SceneView* view = nullptr;
    QLabel* statusLine = nullptr;
    SkinButton* singleButton = nullptr;
    SkinButton* networkButton = nullptr;
    SkinButton* fightButton = nullptr;
    SkinButton* optionsButton = nullptr;
    SkinButton* scoresButton = nullptr;
    SkinButton* exitButton = nullptr;
    // The brass "BRIDGE" plate of the panel: back to the first view.
    QWidget* bridgePlate = nullptr;
    Compass* compass = nullptr;
    QTimer turnTimer;
    // The window's 100 ms tick: the world's motion (CameraFx), the start of
    // a LAN battle once both fleets are across, the keyboard cursor's board,
    // the compass and the test probe (tickTimerFired names each).
    QTimer tickTimer;
    FrameClock* frameClock = nullptr;
    UdpEndpoint udp;

    World& world() { return m_world; }
    Boards& boards() { return m_boards; }
    CameraFx& cameraFx() { return m_cameraFx; }
    ViewTexts& viewTexts() { return m_viewTexts; }
    CellPicker& picker() { return m_picker; }
    Match& match() { return m_match; }
    SoundSystem& sound() { return *m_sound; }
    MusicPlayer& music() { return *m_music; }
    QString localIp() const { return m_lan.localIp(); }
    std::filesystem::path startDir() const { return m_parts.startDir; }
    bool spaceHeld() const { return m_spaceHeld; }
    KeyboardControl& keyboard() { return m_keys; }
    const BattleHud& battleHud() const { return *m_hud; }

    // The hosts the other windows are made with (program entry).
    MatchHost& matchHost() { return m_host; }
    LanHost& lanHost() { return m_lan; }
    OptionsHost& optionsHost() { return m_optionsHost; }
    ScoreHost& scoreHost() { return m_scoreHost; }
    ReplayKeeper& replayKeeper() { return m_keeper; }
    ReplayViewer& replayViewer() { return m_replayViewer; }

    // -------------------------------------------------------------- handlers
    void singleClicked();
    void networkClicked();
    void fightClicked();
    void optionsClicked();
    void scoresClicked();
    void exitClicked();
    // Esc: Exit in a match; in the menu, Exit once the player says so.
    void escapePressed();
    void turnTimerFired();
    void tickTimerFired();
    void frameAdvanced(double deltaTime, double newTime);
    void viewMouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void viewMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void viewMouseReleased(Qt::MouseButton button, int x, int y);
    void keyPressed(int key);
    void datagramReceived(int numberBytes, const QString& fromIP, int port);

    // SIGTERM, SIGINT or SIGHUP arrived: the program ends as a close through
    // the system does, and keeps the song position as Exit in the menu does.
    void terminationRequested();

protected:
    void shown() override;
    void closing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createComponents();
    SkinButton* makeButton(int top, const QString& caption, int xOffset, int yOffset);
    static void fitCaption(SkinButton* button);
    void startUp();
    void runStartupStep(const std::function<void()>& step);
    void announceFirstFrame();
    void activationSteps();
    // The picker's hover test: the cell the pointer came onto goes to the
    // rules and to the keyboard's cursor.
    void pickHover();
    // The duties of tickTimer's tick.
    void moveTheWorld();
    void startLanBattleWhenReady();
    void followTheTurnWithTheKeys();
    void updateTheCounts();
    void keepTheMatches();
    void dropAStaleQuestion();
    void turnTheCompass();
    void updateTestProbe();
    void focusWindowChanged(QWindow* window);
    void bridgeClicked();
    // The volume bars and the window size the last run left in vtx.ini.
    void restoreSession();

    SystemClock m_clock;
    World m_world;
    WindowParts m_parts;
    StatusLine m_status;
    // The match calls its host from its first handler on; the host's parts
    // exist by then (references to them are taken here, used later).
    MatchHost m_host{m_world, m_boards, m_cameraFx, m_viewTexts, m_match, m_clock, m_parts, m_status, m_lan};
    Match m_match{m_host, m_clock};
    Boards m_boards{m_world, m_match.state()};
    CameraFx m_cameraFx{m_world, m_match.state(), m_clock};
    ViewTexts m_viewTexts{m_world, m_match.state()};
    CellPicker m_picker{m_world, m_boards, m_match.state()};
    CellCursorMark m_cursorMark{m_world, m_boards};
    KeyboardControl m_keys{m_match, m_boards, m_cursorMark};
    LanHost m_lan{m_match, m_clock, udp, m_parts, m_status};
    OptionsHost m_optionsHost{m_match, m_parts};
    ScoreHost m_scoreHost{m_match, m_parts, m_lan};
    ReplayKeeper m_keeper{m_match, m_clock};
    ReplayViewer m_replayViewer{m_boards, m_cameraFx, m_viewTexts, m_host, m_status};
    std::unique_ptr<SoundSystem> m_sound;
    std::unique_ptr<MusicPlayer> m_music; // after m_sound: destroyed first
    std::unique_ptr<VolumeControl> m_volume;
    std::unique_ptr<SignalBridge> m_signals;
    std::unique_ptr<TestProbe> m_probe; // only when a test asks for it
    std::unique_ptr<BattleHud> m_hud;
    std::unique_ptr<ChatPanel> m_chat; // LAN chat
    std::unique_ptr<PlayAgain> m_playAgain;
    TextureImage m_sunkPicture;

    // The window that had the focus before the current one.
    QWindow* m_previousFocus = nullptr;
    bool m_bindErrorShown = false;

    QColor m_savedHighlight;
    QString m_startupError;
    bool m_startupAborted = false;
    bool m_quitAsked = false;    // Esc's question in the menu stands
    bool m_soundFailed = false;  // told over the menu once it shows
    bool m_musicFailed = false;  // a song's error is told once a run
    bool m_spaceHeld = false;
    bool m_firstFrameAnnounced = false;
    bool m_ending = false;
    // The last click on Exit: when, and whether a match was running then.
    std::int64_t m_exitClickTick = -1000000;
    bool m_exitClickRunning = false;
};

} // namespace vtx
