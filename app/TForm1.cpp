#include "app/TForm1.h"

#include "app/GameTexts.h"
#include "app/SignalBridge.h"
#include "app/TestProbe.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeControl.h"
#include "files/DataPath.h"
#include "files/GameFolders.h"
#include "files/OptionsFile.h"
#include "game/DataFiles.h"
#include "game/NetMessage.h"
#include "scene/engine/DriverWarmUp.h"
#include "scene/engine/TGLCadencer.h"
#include "scene/engine/TGLSceneViewer.h"
#include "ui/SkinFont.h"
#include "ui/SkinPalette.h"
#include "ui/TCompass.h"
#include "ui/TFormMess.h"
#include "ui/TFormOpt.h"
#include "ui/TFormScore.h"
#include "ui/TWispButton.h"
#include "ui/TformNet.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <cmath>
#include <stdexcept>

namespace vtx {

namespace {

// Game file names ("DATA\\ship2.jpg") under the data root, names matched
// without regard to case.
std::string resolveGameFile(std::string_view gamePath) {
    return resolveDataPath(gamePath).string();
}

MouseButton gameButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Other;
    }
}

} // namespace

TForm1::TForm1(QWidget* parent) : TSkinnedForm(parent), m_world(resolveGameFile) {
    setWindowTitle(QStringLiteral("Vortalix 3D"));
    resize(ClientWidth, ClientHeight);
    createComponents();
    FormCreate();
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
    Timer1.stop();
    timerScroll.stop();
    if (GLCadencer1) GLCadencer1->setEnabled(false);
    // The viewer draws the World's scene: let it go before the scene does.
    delete GLSceneViewer1;
    GLSceneViewer1 = nullptr;
}

void TForm1::SetWindows(TFormMess* mess, TFormOpt* opt, TFormScore* score) {
    m_parts.mess = mess;
    m_parts.options = opt;
    m_parts.scores = score;
    // The small windows grow with the main window.
    for (TSkinnedForm* w : std::initializer_list<TSkinnedForm*>{mess, opt, score})
        if (w) w->FollowScaleOf(this);
    restoreSession();
}

void TForm1::restoreSession() {
    const StoredSession session = readStoredSession(m_parts.startDir);
    // Values outside a bar's range leave it in the middle (QProgressBar ignores them).
    if (m_parts.options && session.effectsLevel)
        m_parts.options->ProgressBar2->setValue(*session.effectsLevel);
    if (m_parts.options && session.musicLevel) m_parts.options->ProgressBar1->setValue(*session.musicLevel);
    if (!session.windowWidth || !session.windowHeight) return;
    QSize wanted(*session.windowWidth, *session.windowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    wanted = wanted.expandedTo(minimumSize());
    if (wanted == size()) return;
    resize(wanted);
    CenterOnScreen();
}

void TForm1::SetLobby(TformNet* lobby) {
    m_parts.lobby = lobby;
    if (lobby) lobby->FollowScaleOf(this);
}

TWispButton* TForm1::makeButton(int top, const QString& caption, int xOffset, int yOffset) {
    auto* button = new TWispButton(this);
    button->SetFaces("71x24");
    button->setGeometry(650, top, 71, 24);
    button->SetText(caption);
    button->SetXOffset(xOffset);
    button->SetYOffset(yOffset);
    button->SetFont(EnabledFont());
    return button;
}

void TForm1::fitCaption(TWispButton* button) {
    // Our sans face runs wider than the captions' offsets were laid out for;
    // slightly tighter letters keep "Network" and "Options" on their faces.
    QFont captionFont = button->font();
    captionFont.setPixelSize(13);
    for (int spacing = 100; spacing >= 80; spacing -= 2) {
        captionFont.setLetterSpacing(QFont::PercentageSpacing, spacing);
        button->SetCaptionFont(captionFont);
        if (button->CaptionLeft() + QFontMetrics(captionFont).horizontalAdvance(button->Caption()) <=
            button->width() - 4)
            break;
    }
}

void TForm1::createComponents() {
    GLSceneViewer1 = new TGLSceneViewer(this);
    GLSceneViewer1->setGeometry(13, 42, 616, 547);
    GLSceneViewer1->Scene = &m_world.Scene;
    GLSceneViewer1->Camera = m_world.GLCamera1;
    GLSceneViewer1->OnMouseMove = [this](Qt::MouseButtons b, Qt::KeyboardModifiers m, int x, int y) {
        GLSceneViewer1MouseMove(b, m, x, y);
    };
    GLSceneViewer1->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        GLSceneViewer1MouseDown(b, m, x, y);
    };
    GLSceneViewer1->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        if (m_world.ActivationStageBuilt()) m_picker.Release(gameButton(b), x, y);
    };
    connect(GLSceneViewer1, &TGLSceneViewer::frameSwapped, this, &TForm1::announceFirstFrame);

    // The tally between the compass and the menu's plate.
    m_hud = std::make_unique<BattleHud>(*this, QRect(642, 196, 94, 70), *m_world.HUDText1, m_boards,
                                        m_match.state(), m_clock);

    Label2 = new QLabel(this);
    Label2->setGeometry(213, 15, 260, 14);
    QFont labelFont = Label2->font();
    labelFont.setPixelSize(11);
    labelFont.setBold(true);
    Label2->setFont(labelFont);
    Label2->setStyleSheet(QStringLiteral("color: silver; background: transparent;"));

    elbtSingleGame = makeButton(288, tr("Single"), 22, 7);
    elbtNetGame = makeButton(328, tr("Network"), 18, 7);
    elbtFight = makeButton(368, tr("  Fight"), 18, 7);
    elbtOptions = makeButton(408, tr("Options"), 20, 7);
    elbtHighScores = makeButton(448, tr("Scores"), 20, 7);
    elbtExit = makeButton(488, tr("  Exit"), 20, 7);
    connect(elbtSingleGame, &TWispButton::clicked, this, &TForm1::elbtSingleGameClick);
    connect(elbtNetGame, &TWispButton::clicked, this, &TForm1::elbtNetGameClick);
    connect(elbtFight, &TWispButton::clicked, this, &TForm1::elbtFightClick);
    connect(elbtOptions, &TWispButton::clicked, this, &TForm1::elbtOptionsClick);
    connect(elbtHighScores, &TWispButton::clicked, this, &TForm1::elbtHighScoresClick);
    connect(elbtExit, &TWispButton::clicked, this, &TForm1::elbtExitClick);
    m_keys.attach(*this);

    // Over the panel picture's plain brass plate and compass dial: the word in
    // the player's language, engraved (dark letters, a light edge below),
    // as large as fits between the plate's rivets.
    const QRect plate(647, 546, 78, 24);
    QFont plateFont(QStringLiteral("DejaVu Serif"));
    plateFont.setBold(true);
    const QString plateWord = tr("BRIDGE");
    for (int px = 11; px >= 7; --px) {
        plateFont.setPixelSize(px);
        if (QFontMetrics(plateFont).horizontalAdvance(plateWord) <= plate.width() - 16) break;
    }
    for (const auto& [offset, colour] :
         {std::pair{1, "rgba(255, 240, 200, 160)"}, std::pair{0, "rgb(60, 40, 12)"}}) {
        auto* word = new QLabel(plateWord, this);
        word->setGeometry(plate.translated(0, offset));
        word->setAlignment(Qt::AlignCenter);
        word->setFont(plateFont);
        word->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(QLatin1String(colour)));
        word->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    auto* bridge = new QPushButton(this);
    bridge->setGeometry(plate);
    bridge->setFlat(true);
    bridge->setCursor(Qt::PointingHandCursor);
    bridge->setFocusPolicy(Qt::NoFocus);
    bridge->setToolTip(tr("Back to the bridge: the first view of the boards"));
    bridge->setStyleSheet(QStringLiteral("QPushButton { background: transparent; border: none; }"
                                         "QPushButton:hover { background: rgba(255, 240, 200, 40); }"
                                         "QPushButton:pressed { background: rgba(0, 0, 0, 60); }"));
    connect(bridge, &QPushButton::clicked, this, &TForm1::bridgeClick);
    btBridge = bridge;
    Compass = new TCompass(this, QPointF(685.5, 150.5), 28.0);

    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(m_match.state().Timer1Interval);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    timerScroll.setInterval(100);
    connect(&timerScroll, &QTimer::timeout, this, &TForm1::timerScrollTimer);

    GLCadencer1 = new TGLCadencer(this);
    GLCadencer1->Scene = &m_world.Scene;
    GLCadencer1->OnProgress = [this](double dt, double t) { GLCadencer1Progress(dt, t); };

    m_picker.pick = [this](int x, int y) { return GLSceneViewer1->PickObject(x, y); };
    m_picker.pickThrough = [this](int x, int y, const PickFilter& lookThrough) {
        return GLSceneViewer1->PickObjectThrough(x, y, lookThrough);
    };
    m_cameraFx.rightButtonHeld = [] { return QGuiApplication::mouseButtons().testFlag(Qt::RightButton); };
    m_cameraFx.cursorOffsetY = [this] {
        return int(std::floor(Scale().toDesign(mapFromGlobal(QCursor::pos())).y())); // layout pixels
    };
    m_cameraFx.randomBelow = [this](int n) { return int(m_match.random().Random(n)); };

    m_parts.window = this;
    m_parts.viewer = GLSceneViewer1;
    m_parts.status = Label2;
    m_parts.menuButtons = {elbtSingleGame, elbtNetGame, elbtFight, elbtOptions, elbtHighScores};
    m_parts.timer1 = &Timer1;
    m_parts.timerScroll = &timerScroll;
    m_status.label = Label2;
    m_probe = TestProbe::fromEnvironment(m_match, m_parts);

    // Key preview: the window sees every key press before its controls.
    qApp->installEventFilter(this);

    // The signals that ask the program to end close the window; SDL must not
    // take them first (its audio starts in FormCreate).
    SignalBridge::disableSdlSignalHandlers();
    m_signals = std::make_unique<SignalBridge>();
    connect(m_signals.get(), &SignalBridge::terminationRequested, this, &TForm1::TerminationRequested);
}

void TForm1::runStartupStep(const std::function<void()>& step) {
    if (!m_startupError.isEmpty() || m_startupAborted) return;
    try {
        step();
    } catch (const std::exception& error) {
        m_startupError = QString::fromUtf8(error.what());
    }
}

void TForm1::FormCreate() {
    // 1. Caption offsets on large-font screens.
    if (!IsSmallFonts()) {
        elbtSingleGame->SetXOffset(18), elbtSingleGame->SetYOffset(6);
        elbtNetGame->SetXOffset(13), elbtNetGame->SetYOffset(6);
        elbtFight->SetXOffset(14), elbtFight->SetYOffset(6);
        elbtOptions->SetXOffset(14), elbtOptions->SetYOffset(6);
        elbtHighScores->SetXOffset(15), elbtHighScores->SetYOffset(6);
        elbtExit->SetXOffset(18), elbtExit->SetYOffset(6);
    }
    for (TWispButton* b : {elbtSingleGame, elbtNetGame, elbtFight, elbtOptions, elbtHighScores, elbtExit})
        fitCaption(b);
    // 2. Initial values.
    m_cameraFx.ResetCreationState();
    m_match.SetSoundOn(true);
    // 3. The grey selection colour, for this program only.
    m_savedHighlight = InstallGreySelection();
    // 4. The two shared caption fonts.
    EnabledFont();
    DisabledFont();
    // 5. Hidden, with its panel picture.
    hide();
    if (!LoadPanel(datafiles::kMainPanel, QSize(742, 603))) {
        m_startupError = PanelError();
        return;
    }
    // 6. The fonts of the on-screen texts.
    runStartupStep([this] { m_world.LoadFonts(); });
    // 7. Level 1 and 9. no LAN match: the state a new Match starts in.
    // 8. The logo's colour.
    m_world.SetLogoColor();
    // 10. Centred on the screen; 11. the outline.
    CenterOnScreen();
    SetOutline(MainOutline());
    SetDragArea(10, 10, 470, 28);
    RebuildWindowRgn();
    OnScaled = [this](double factor) { GLSceneViewer1->HudScale = float(factor); };
    EnableScaling();
    if (!m_startupError.isEmpty()) return;
    // 12. Sound start-up and StartDir.
    const QString mismatch = SoundSystem::versionMismatchMessage();
    if (!mismatch.isEmpty()) {
        QMessageBox::information(nullptr, QStringLiteral("Vortalix 3D"), mismatch);
        m_startupAborted = true;
        return;
    }
    m_sound = std::make_unique<SoundSystem>();
    if (!m_sound->init()) {
        QMessageBox::information(nullptr, QStringLiteral("Vortalix 3D"), SoundSystem::initFailedText());
        m_match.SetSoundOn(false);
    }
    m_sound->setSoundOn(m_match.state().SoundOn);
    // StartDir is the player's folder (options, scores, LAN clients); the
    // sounds, songs and scenery come from the data root. Both are the current
    // directory unless the game runs installed (files/GameFolders.h).
    m_parts.startDir = userRoot();
    const QString dataDir = QString::fromStdString(dataRoot().string());
    m_sound->loadEffects(dataDir);
    m_music = std::make_unique<MusicPlayer>(dataDir);
    m_music->setMessageBox(
        [](const QString& title, const QString& text) { QMessageBox::information(nullptr, title, text); });
    m_volume = std::make_unique<VolumeControl>(m_sound->waveOutput(), m_sound->midiOutput());
    m_parts.sound = m_sound.get();
    m_parts.music = m_music.get();
    m_parts.volume = m_volume.get();
    // 13. The local address and the LAN endpoint.
    m_lan.readLocalAddresses();
    NMUDP1.OnDataReceived = [this](int n, const QString& from, int port) {
        NMUDP1DataReceived(n, from, port);
    };
    NMUDP1.SetLocalPort(net::GamePort);
    // 14. Fight disabled: the menu state.
    m_match.refreshHost();
    // The GL driver loads while the scenery decodes: by the window's first frame it is there.
    // Not sooner: sound and the address lookup load libraries of their own, which would wait.
    warmUpGlDriver();
    // 15. The static scenery.
    runStartupStep([this] { m_world.BuildScenery(dataRoot()); });
    // The sunk ships' picture is first shown at the first sinking: a missing
    // or broken file must stop the start with its name, not end a hit
    // half-way. Held here, the boards' later loads share this copy.
    runStartupStep([this] { m_sunkPicture.LoadFromFile(m_world.path(datafiles::kSunkShipSkin)); });
}

void TForm1::activationSteps() {
    // 1. Playlist.
    if (m_music) m_music->FormActivate();
    // 2. Volumes from the options window's bars: MIDI, then wave.
    if (m_volume && m_parts.options)
        m_volume->apply(m_parts.options->ProgressBar1->value(), m_parts.options->ProgressBar2->value());
    // 3. Idle start.
    m_cameraFx.RecordIdleStart();
    // 4. The turn timer.
    m_match.ActivateTurnTimer();
}

void TForm1::FormActivate() {
    if (!m_startupError.isEmpty() || m_startupAborted) return;
    activationSteps();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &TForm1::focusWindowChanged,
            Qt::UniqueConnection);
    // 5. Ship models and cell planes, once.
    runStartupStep([this] { m_world.BuildActivationStage(m_boards); });
    if (!m_startupError.isEmpty()) return;
    timerScroll.start();
    GLCadencer1->setEnabled(true);
}

void TForm1::FormClose() {
    // Closed or told to end in the middle of a network match: the opponent
    // hears it as if Exit was pressed.
    m_lan.leaveOnClose();
    if (m_parts.options) {
        StoredSession session{m_parts.options->ProgressBar2->value(), m_parts.options->ProgressBar1->value(),
                              width(), height()};
        saveStoredSession(m_parts.startDir, session); // a failure costs only these settings
    }
    Timer1.stop();
    if (m_music) m_music->StopMusic();
    if (m_volume) m_volume->restoreMixerVolumes();
    RestoreSelection(m_savedHighlight);
    if (GLCadencer1) GLCadencer1->setEnabled(false);
    timerScroll.stop();
    if (QuitOnClose) {
        for (QWidget* w : {static_cast<QWidget*>(m_parts.mess), static_cast<QWidget*>(m_parts.options),
                           static_cast<QWidget*>(m_parts.scores)})
            if (w) w->hide();
        QCoreApplication::quit();
    }
}

void TForm1::focusWindowChanged(QWindow* window) {
    QWindow* previous = m_previousFocus;
    m_previousFocus = window;
    if (!window || window != windowHandle() || !previous) return;
    // The focus came back from one of our windows shown without a modal
    // wait (the message window's non-modal use): the window is activated
    // again, as when it was first shown. Modal windows' owners re-run what
    // they need themselves.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == this || w->windowHandle() != previous) continue;
        const auto* form = qobject_cast<TSkinnedForm*>(w);
        if (form && !form->InModalLoop()) activationSteps();
        return;
    }
}

void TForm1::announceFirstFrame() {
    if (m_firstFrameAnnounced) return;
    m_firstFrameAnnounced = true;
    // Only for the launch benchmark: the moment the first picture was swapped.
    const QByteArray target = qgetenv("VTX_BENCH_FIRST_FRAME");
    if (target.isEmpty()) return;
    const QByteArray stamp = QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    QFile marker(QString::fromLocal8Bit(target));
    if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate)) marker.write(stamp + '\n');
}

// ---------------------------------------------------------------- handlers

void TForm1::elbtSingleGameClick() {
    if (!m_match.state().button(MenuButton::Single).enabled) return;
    m_match.elbtSingleGameClick();
}

void TForm1::elbtNetGameClick() {
    if (!m_match.state().button(MenuButton::Network).enabled) return;
    m_lan.readLocalAddresses();
    if (m_lan.LocalIP() == QStringLiteral("127.0.0.1") || !m_parts.lobby) {
        m_parts.showMessage(60, tr("NetWork is unavailable on Your PC!"), true);
        return;
    }
    if (!NMUDP1.BindError().isEmpty() && !m_bindErrorShown) {
        // Another copy of the game usually holds the port: this one can
        // announce and join but hears nothing. Say so once.
        m_bindErrorShown = true;
        m_parts.showMessage(40,
                            tr("UDP port %1 is busy:\n%2\nNo answers can reach this game.")
                                .arg(net::GamePort)
                                .arg(NMUDP1.BindError()),
                            true);
    }
    m_match.SetMenuButton(MenuButton::Single, false, false);
    m_parts.lobby->ExecModal();
}

void TForm1::elbtFightClick() {
    m_match.elbtFightClick();
}

void TForm1::elbtOptionsClick() {
    if (!m_match.state().button(MenuButton::Options).enabled || !m_parts.options) return;
    m_parts.options->ExecModal();
}

void TForm1::elbtHighScoresClick() {
    if (!m_match.state().button(MenuButton::Scores).enabled || !m_parts.scores) return;
    m_parts.scores->ExecModal();
}

void TForm1::elbtExitClick() {
    const MatchState& s = m_match.state();
    const bool running = s.GameInProgress && !s.GameWon && !s.GameLost;
    const std::int64_t now = m_clock.tickMs();
    // The second click of a double click is no click on what the first one
    // made of the button (a left match, then a quit program).
    const bool secondClick = now - m_exitClickTick < QApplication::doubleClickInterval();
    if (secondClick && running != m_exitClickRunning) return;
    m_exitClickTick = now;
    m_exitClickRunning = running;
    if (!running || !m_parts.mess) {
        m_match.elbtExitClick();
        return;
    }
    if (m_parts.mess->Asking()) return;
    m_parts.mess->PlaceRelativeTo(this); // over the window wherever it went since
    m_parts.mess->Ask(60, tr("Leave this match?"), [this](bool yes) {
        const MatchState& now = m_match.state();
        // The match may have ended while the question stood.
        if (!yes || !now.GameInProgress || now.GameWon || now.GameLost) return;
        m_exitClickTick = m_clock.tickMs();
        m_exitClickRunning = true;
        m_match.elbtExitClick();
    });
}

void TForm1::Timer1Timer() {
    const bool netShot = m_match.state().NetMovePending;
    m_match.Timer1Timer();
    m_lan.channel().pumpMoves();
    if (netShot) updateTestProbe();
}

void TForm1::bridgeClick() {
    m_cameraFx.BridgeView();
    turnTheCompass();
}

// The window's 100 ms tick does more than scroll; each duty by its name.
void TForm1::timerScrollTimer() {
    moveTheWorld();
    startLanBattleWhenReady();
    followTheTurnWithTheKeys();
    updateTheCounts();
    dropAStaleQuestion();
    turnTheCompass();
    updateTestProbe();
}

// Idle spin, the result's pulse, the sea's frames, the shake, the edge scroll.
void TForm1::moveTheWorld() {
    m_cameraFx.timerScrollTimer();
}

// A poll from the event loop, on purpose: the lobby writes its waiting status
// after the match's start returns, and the ready status must come after it.
void TForm1::startLanBattleWhenReady() {
    m_match.CompleteFleetExchange();
}

// The keyboard cursor goes to the board in play, which changes with the turn.
void TForm1::followTheTurnWithTheKeys() {
    m_keys.refresh();
}

void TForm1::updateTheCounts() {
    m_hud->update();
}

// A question about a match that has ended meanwhile has nothing to ask.
void TForm1::dropAStaleQuestion() {
    if (m_parts.mess && m_parts.mess->Asking() && !m_match.state().GameInProgress)
        m_parts.mess->DropQuestion();
}

void TForm1::turnTheCompass() {
    Compass->SetHeading(m_cameraFx.Heading());
}

void TForm1::updateTestProbe() {
    if (m_probe) m_probe->update();
}

void TForm1::NMUDP1DataReceived(int, const QString& fromIP, int) {
    m_lan.datagramArrived(fromIP);
    updateTestProbe();
}

// Redraws when the picture can have changed: a moved camera at once, the rest
// (the sea's frames, rocking ships, flames, marks) at most 24 times a second.
// An untouched menu then costs ten frames a second instead of one per tick.
void TForm1::GLCadencer1Progress(double, double newTime) {
    m_picker.PickHover();
    GLSceneViewer1->InvalidateIfChanged(newTime);
}

void TForm1::GLSceneViewer1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                     int y) {
    if (!m_world.ActivationStageBuilt()) return;
    m_cameraFx.GLSceneViewer1MouseMove(buttons != Qt::NoButton || modifiers != Qt::NoModifier, x, y);
    m_picker.PointerMoved(x, y);
    turnTheCompass();
}

void TForm1::GLSceneViewer1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (!m_world.ActivationStageBuilt()) return;
    m_picker.Click(gameButton(button), x, y);
    m_cameraFx.GLSceneViewer1MouseDown(x, y);
    updateTestProbe();
}

void TForm1::TerminationRequested() {
    if (m_ending) return;
    m_ending = true;
    // No message on a failed store: nobody may be left to answer it.
    if (m_music) saveSong(m_parts.startDir, m_music->SongIndex() + 1);
    close();
}

void TForm1::FormKeyDown(int) {
    if (m_spaceHeld) m_match.SpaceToggle();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // Space let go while another window had the keyboard (one of ours or
    // another program's) must not stay held for the next arrangement.
    if (type == QEvent::WindowDeactivate && watched == this) m_spaceHeld = false;
    if (type == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) m_spaceHeld = false;
    }
    // A click on Fight while it is off (ships still to place) is told why.
    if (type == QEvent::MouseButtonPress && watched == elbtFight && !elbtFight->isEnabled())
        m_match.FightRefused();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return TSkinnedForm::eventFilter(watched, event);
    // Key events travel from the focus widget up its parents; take each once,
    // at the first widget of this window that receives it.
    QWidget* first = QApplication::focusWidget();
    if (!first || first->window() != this) first = this;
    if (watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (type == QEvent::KeyPress) {
            // A keyboard player is no idle player.
            if (m_world.ActivationStageBuilt()) m_cameraFx.InputSeen();
            if (key->key() == Qt::Key_Space) m_spaceHeld = true;
            FormKeyDown(key->key());
            if (m_keys.keyPress(*key)) return true;
        }
    }
    return TSkinnedForm::eventFilter(watched, event);
}

} // namespace vtx
