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
// Implements what the match asks of the main window (IMatchHost), what the
// options window needs (IOptionsHost) and what the high-score window needs
// (IScoreHost). Everything runs on the UI thread.

#include "app/KeyboardControl.h"
#include "game/IMatchHost.h"
#include "game/Match.h"
#include "game/NetChannel.h"
#include "game/NetReceiver.h"
#include "game/SystemClock.h"
#include "net/TNMUDP.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/CellCursorMark.h"
#include "scene/World.h"
#include "scene/engine/TGLTextureImage.h"
#include "ui/ILobbyHost.h"
#include "ui/IOptionsHost.h"
#include "ui/IScoreHost.h"
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
class TWispButton;
class VolumeControl;

class TForm1 : public TSkinnedForm,
               public IMatchHost,
               public IOptionsHost,
               public IScoreHost,
               public ILobbyHost,
               public INetReceiverHost {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 751;
    static constexpr int ClientHeight = 605;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    void SetWindows(TFormMess* mess, TFormOpt* opt, TFormScore* score);
    // The LAN lobby, created after the message window (it may scan the
    // network with the message window showing).
    void SetLobby(TformNet* lobby) { m_formNet = lobby; }

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
    QTimer timerScroll;
    // The extended LAN protocol's retries, heartbeats and time-outs; runs
    // only while the NetChannel needs it.
    QTimer linkTimer;
    TGLCadencer* GLCadencer1 = nullptr;
    TNMUDP NMUDP1;

    World& world() { return m_world; }
    Boards& boards() { return m_boards; }
    CameraFx& cameraFx() { return m_fx; }
    Match& match() { return m_match; }
    SoundSystem& sound() { return *m_sound; }
    MusicPlayer& music() { return *m_music; }
    QString LocalIP() const override { return m_localIP; }
    NetReceiver& netReceiver() { return m_netReceiver; }
    NetChannel& netChannel() { return m_netChannel; }
    bool SpaceHeld() const { return m_spaceHeld; }
    KeyboardControl& keyboard() { return m_keys; }

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

    // ------------------------------------------------------------ LAN sends
    // One datagram to host:6868 (nothing for an empty host): a text or a
    // block of the plain protocol, or a frame of the extended one.
    void SendRequest(const QString& host, const QByteArray& text) override;
    // SIGTERM, SIGINT or SIGHUP arrived: the program ends as a close through
    // the system does, and keeps the song position as Exit in the menu does.
    void TerminationRequested();

    // ------------------------------------------------------------ IMatchHost
    void ResetBoards() override;
    void MarkShot(std::int32_t board, std::int32_t row, std::int32_t column, bool hit) override;
    void ShowSunkShip(std::int32_t board, std::int32_t n) override;
    void StartShake() override;
    void ShowEnemySurvivors() override;
    void PositionOwnShipModels() override;
    void PositionEnemyShipModels() override;
    void HideShipModels(bool all) override;
    void AnimateShipModels() override;
    void ShowPlacementPreview() override;
    void ShowShipModel(std::int32_t n) override;
    void PutShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) override;
    void ShowWinMessage() override;
    void ShowLossMessage() override;
    void HideHudMessage() override;
    void ShowLogo(bool visible) override;
    void EnableScrollTimer() override;
    void RestartIdleWait() override;
    void PlaySound(Sound sound) override;
    void SetStatus(std::string_view text) override;
    void SetButton(MenuButton button, bool enabled, bool whiteFont) override;
    void SetTimer1(bool enabled, std::int32_t intervalMs) override;
    void ShowFormMess(std::int32_t top, std::string_view text, bool modal) override;
    void ShowScoreWindowModal() override;
    bool manualArrangementChecked() override;
    bool musicChecked() override;
    std::int32_t difficultyIndex() override;
    void setDifficultyIndex(std::int32_t index) override;
    std::optional<std::int32_t> readVortalixDifficulty() override;
    void StartNextSong() override;
    void StopMusic() override;
    void Delay(std::int32_t ms) override;
    void QuitProgram() override;
    void SendShot(std::int32_t row, std::int32_t column) override;
    void SendLeave() override;
    void SendFleet() override;

    // ---------------------------------------------------------- IOptionsHost
    std::filesystem::path StartDir() const override { return m_startDir; }
    bool GameInProgress() const override;
    void SetArranging(bool manual) override;
    void SetTurnDelay(int seconds) override;
    void SetSoundOn(bool on) override;
    void SetSongIndex(int index) override;
    void SetWaveVolumeFromLevel(int level) override;
    void SetMidiVolumeFromLevel(int level) override;
    void CaptureVolumes() override;
    void MusicSwitchClicked(bool checked) override;

    // ----------------------------------------------------------- IScoreHost
    bool ScorePending() const override;
    void SetScorePending(bool pending) override;
    int LastPoints() const override;
    QString PlayerName() const override;

    // ------------------------------------------------------------ ILobbyHost
    void SetNetMode(bool on) override;
    void SetNetConnected(bool on) override;
    void SetNetRole(int role) override;
    void SetOpponentIP(const QString& ip) override;
    void StartMatch() override;
    void SetStatus(const QString& text) override;
    void SwitchSingleButton(bool on) override;

    // ------------------------------------------------------ INetReceiverHost
    void JoinRequested() override;
    bool ServerListed(std::string_view fromIP) override;
    void AddServer(std::string_view fromIP, std::string_view presenceText) override;
    void OpponentLeft() override;
    void OpponentGone() override;
    void SendDatagram(std::string_view host, std::span<const unsigned char> bytes) override;
    void JoinGame(const QString& creatorIP, bool extended) override;

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
    TWispButton* buttonOf(MenuButton button) const;
    void announceFirstFrame();
    void activationSteps();
    void writeTestProbe();
    void linkTimerTimer();
    void runLinkTimer();
    void showStatus();
    void readLocalAddresses();
    void focusWindowChanged(QWindow* window);
    void bridgeClick();

    SystemClock m_clock;
    World m_world;
    Match m_match;
    Boards m_boards;
    CameraFx m_fx;
    CellCursorMark m_cursorMark{m_world, m_boards};
    KeyboardControl m_keys{m_match, m_boards, m_cursorMark};
    std::unique_ptr<SoundSystem> m_sound;
    std::unique_ptr<MusicPlayer> m_music; // after m_sound: destroyed first
    std::unique_ptr<VolumeControl> m_volume;
    std::unique_ptr<SignalBridge> m_signals;
    TGLTextureImage m_sunkPicture;

    TFormMess* m_formMess = nullptr;
    TFormOpt* m_formOpt = nullptr;
    TFormScore* m_formScore = nullptr;
    TformNet* m_formNet = nullptr;
    NetChannel m_netChannel{m_match, *this, m_clock};
    NetReceiver m_netReceiver{m_match, *this, m_netChannel};
    // The match's and the lobby's last status text; the connection's own
    // text stands over it while the link is in trouble.
    QString m_matchStatus;
    // The window that had the focus before the current one.
    QWindow* m_previousFocus = nullptr;
    bool m_bindErrorShown = false;

    std::filesystem::path m_startDir;
    QString m_localIP = QStringLiteral("127.0.0.1");
    QColor m_savedHighlight;
    QString m_startupError;
    bool m_startupAborted = false;
    bool m_spaceHeld = false;
    bool m_firstFrameAnnounced = false;
    bool m_ending = false;
};

} // namespace vtx
