#pragma once

// The main window: the 3D view, the status line and the six menu buttons; the
// one place that wires the match, the world, the sound and the windows.
//
// Ownership: owns the one Match, the World (scene), the Boards and CameraFx
// on it, the sound system, the music player, the volume control, the clocks
// and the timers. The message, options and high-score windows are created
// after it (program entry) and handed over with SetWindows; it does not own
// them and they must outlive its use of them (all live until the program ends).
//
// Life: construction runs FormCreate (sound start-up, StartDir, LocalIP, the
// static scenery). A failure there leaves StartupError() set: the program
// shows it and ends. The first show runs FormActivate, which builds the ship
// models and cell planes once. Closing runs FormClose (music, volumes,
// selection colour) and, when QuitOnClose, ends the event loop.
//
// The adapters that answer the other parts live in rooms of their own:
// MatchHost (what the match asks), LanHost (the LAN link, the lobby's and the
// receiver's host), OptionsHost and ScoreHost (the options and high-score
// windows), TestProbe (tests that drive the real program from outside). They
// read the window's parts through FormParts. Everything runs on the UI thread.

#include "app/BattleHud.h"
#include "app/FormParts.h"
#include "app/KeyboardControl.h"
#include "app/LanHost.h"
#include "app/MatchHost.h"
#include "app/OptionsHost.h"
#include "app/ScoreHost.h"
#include "app/StatusLine.h"
#include "game/Match.h"
#include "game/SystemClock.h"
#include "net/TNMUDP.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/CellCursorMark.h"
#include "scene/CellPicker.h"
#include "scene/World.h"
#include "scene/engine/TGLTextureImage.h"
#include "ui/TSkinnedForm.h"

#include <QColor>
#include <QString>
#include <QTimer>

#include <filesystem>
#include <memory>

class QLabel;
class QWindow;

namespace vtx {

class MusicPlayer;
class SignalBridge;
class SoundSystem;
class TFormMess;
class TFormOpt;
class TFormScore;
class TformNet;
class TGLCadencer;
class TCompass;
class TGLSceneViewer;
class TestProbe;
class TWispButton;
class VolumeControl;

class TForm1 : public TSkinnedForm {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 751;
    static constexpr int ClientHeight = 605;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    void SetWindows(TFormMess* mess, TFormOpt* opt, TFormScore* score);
    // The LAN lobby, created after the message window (it may scan the
    // network with the message window showing).
    void SetLobby(TformNet* lobby);

    // Empty when start-up went well; otherwise the text naming what failed.
    const QString& StartupError() const { return m_startupError; }
    // The sound library's version check failed: its message was shown and
    // the program ends.
    bool StartupAborted() const { return m_startupAborted; }
    // False keeps the event loop running after the window closed (tests).
    bool QuitOnClose = true;

    // ------------------------------------------------------------ components
    TGLSceneViewer* GLSceneViewer1 = nullptr;
    QLabel* Label2 = nullptr;
    TWispButton* elbtSingleGame = nullptr;
    TWispButton* elbtNetGame = nullptr;
    TWispButton* elbtFight = nullptr;
    TWispButton* elbtOptions = nullptr;
    TWispButton* elbtHighScores = nullptr;
    TWispButton* elbtExit = nullptr;
    // The brass "BRIDGE" plate of the panel: back to the first view.
    QWidget* btBridge = nullptr;
    TCompass* Compass = nullptr;
    QTimer Timer1;
    // The window's 100 ms tick: the world's motion (CameraFx), the start of
    // a LAN battle once both fleets are across, the keyboard cursor's board,
    // the compass and the test probe (timerScrollTimer names each).
    QTimer timerScroll;
    TGLCadencer* GLCadencer1 = nullptr;
    TNMUDP NMUDP1;

    World& world() { return m_world; }
    Boards& boards() { return m_boards; }
    CameraFx& cameraFx() { return m_cameraFx; }
    CellPicker& picker() { return m_picker; }
    Match& match() { return m_match; }
    SoundSystem& sound() { return *m_sound; }
    MusicPlayer& music() { return *m_music; }
    QString LocalIP() const { return m_lan.LocalIP(); }
    std::filesystem::path StartDir() const { return m_parts.startDir; }
    bool SpaceHeld() const { return m_spaceHeld; }
    KeyboardControl& keyboard() { return m_keys; }
    const BattleHud& battleHud() const { return *m_hud; }

    // The hosts the other windows are made with (program entry).
    MatchHost& matchHost() { return m_host; }
    LanHost& lanHost() { return m_lan; }
    OptionsHost& optionsHost() { return m_optionsHost; }
    ScoreHost& scoreHost() { return m_scoreHost; }

    // -------------------------------------------------------------- handlers
    void elbtSingleGameClick();
    void elbtNetGameClick();
    void elbtFightClick();
    void elbtOptionsClick();
    void elbtHighScoresClick();
    void elbtExitClick();
    void Timer1Timer();
    void timerScrollTimer();
    void GLCadencer1Progress(double deltaTime, double newTime);
    void GLSceneViewer1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void GLSceneViewer1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void FormKeyDown(int key);
    void NMUDP1DataReceived(int numberBytes, const QString& fromIP, int port);

    // SIGTERM, SIGINT or SIGHUP arrived: the program ends as a close through
    // the system does, and keeps the song position as Exit in the menu does.
    void TerminationRequested();

protected:
    void FormActivate() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createComponents();
    TWispButton* makeButton(int top, const QString& caption, int xOffset, int yOffset);
    static void fitCaption(TWispButton* button);
    void FormCreate();
    void runStartupStep(const std::function<void()>& step);
    void announceFirstFrame();
    void activationSteps();
    // The duties of timerScroll's tick.
    void moveTheWorld();
    void startLanBattleWhenReady();
    void followTheTurnWithTheKeys();
    void updateTheCounts();
    void dropAStaleQuestion();
    void turnTheCompass();
    void updateTestProbe();
    void focusWindowChanged(QWindow* window);
    void bridgeClick();
    // The volume bars and the window size the last run left in vtx.ini.
    void restoreSession();

    SystemClock m_clock;
    World m_world;
    FormParts m_parts;
    StatusLine m_status;
    // The match calls its host from its first handler on; the host's parts
    // exist by then (references to them are taken here, used later).
    MatchHost m_host{m_world, m_boards, m_cameraFx, m_match, m_clock, m_parts, m_status, m_lan};
    Match m_match{m_host, m_clock};
    Boards m_boards{m_world, m_match.state()};
    CameraFx m_cameraFx{m_world, m_match, m_clock};
    CellPicker m_picker{m_world, m_boards, m_match};
    CellCursorMark m_cursorMark{m_world, m_boards};
    KeyboardControl m_keys{m_match, m_boards, m_cursorMark};
    LanHost m_lan{m_match, m_clock, NMUDP1, m_parts, m_status};
    OptionsHost m_optionsHost{m_match, m_parts};
    ScoreHost m_scoreHost{m_match, m_parts};
    std::unique_ptr<SoundSystem> m_sound;
    std::unique_ptr<MusicPlayer> m_music; // after m_sound: destroyed first
    std::unique_ptr<VolumeControl> m_volume;
    std::unique_ptr<SignalBridge> m_signals;
    std::unique_ptr<TestProbe> m_probe; // only when a test asks for it
    std::unique_ptr<BattleHud> m_hud;
    TGLTextureImage m_sunkPicture;

    // The window that had the focus before the current one.
    QWindow* m_previousFocus = nullptr;
    bool m_bindErrorShown = false;

    QColor m_savedHighlight;
    QString m_startupError;
    bool m_startupAborted = false;
    bool m_spaceHeld = false;
    bool m_firstFrameAnnounced = false;
    bool m_ending = false;
    // The last click on Exit: when, and whether a match was running then.
    std::int64_t m_exitClickTick = -1000000;
    bool m_exitClickRunning = false;
};

} // namespace vtx
