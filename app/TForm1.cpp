#include "app/TForm1.h"

#include "app/GameTexts.h"
#include "app/SignalBridge.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeControl.h"
#include "game/FleetBlock.h"
#include "game/NetMessage.h"
#include "net/LocalAddress.h"
#include "scene/engine/TGLCadencer.h"
#include "scene/engine/TGLSceneViewer.h"
#include "ui/SkinFont.h"
#include "ui/SkinPalette.h"
#include "ui/TBitCheckBox.h"
#include "ui/TCompass.h"
#include "ui/TFlatEdit.h"
#include "ui/TFormMess.h"
#include "ui/TFormOpt.h"
#include "ui/TFormScore.h"
#include "ui/TWispButton.h"
#include "ui/TWispComboBox.h"
#include "ui/TformNet.h"
#include "ui/format/DataPath.h"
#include "ui/format/GameFolders.h"
#include "ui/format/OptionsFile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVariant>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace vtx {

namespace {

// Game file names ("DATA\\ship2.jpg") under the data root, names matched
// without regard to case.
std::string resolveGameFile(std::string_view gamePath) {
    return resolveDataPath(gamePath).string();
}

Effect effectOf(Sound sound) {
    switch (sound) {
    case Sound::Hit:
        return Effect::HitSound;
    case Sound::Miss:
        return Effect::MissSound;
    case Sound::Sunk:
        return Effect::SunkSound;
    case Sound::Won:
        return Effect::WonSound;
    case Sound::Lost:
        return Effect::LostSound;
    }
    return Effect::MissSound;
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

TForm1::TForm1(QWidget* parent)
    : TSkinnedForm(parent), m_world(resolveGameFile), m_match(*this, m_clock),
      m_boards(m_world, m_match.state()), m_fx(m_world, m_boards, m_match, m_clock) {
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
    m_formMess = mess;
    m_formOpt = opt;
    m_formScore = score;
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
    connect(GLSceneViewer1, &TGLSceneViewer::frameSwapped, this, &TForm1::announceFirstFrame);

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

    // Over the panel picture's brass plate and compass dial.
    auto* bridge = new QPushButton(this);
    bridge->setGeometry(647, 546, 78, 24);
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
    linkTimer.setInterval(int(NetChannel::TickMs));
    connect(&linkTimer, &QTimer::timeout, this, &TForm1::linkTimerTimer);

    GLCadencer1 = new TGLCadencer(this);
    GLCadencer1->Scene = &m_world.Scene;
    GLCadencer1->OnProgress = [this](double dt, double t) { GLCadencer1Progress(dt, t); };

    m_fx.pick = [this](int x, int y) { return GLSceneViewer1->PickObject(x, y); };
    m_fx.pickThrough = [this](int x, int y, const PickFilter& lookThrough) {
        return GLSceneViewer1->PickObjectThrough(x, y, lookThrough);
    };
    m_fx.rightButtonHeld = [] { return QGuiApplication::mouseButtons().testFlag(Qt::RightButton); };
    m_fx.cursorOffsetY = [this] {
        return int(std::floor(Scale().toDesign(mapFromGlobal(QCursor::pos())).y())); // layout pixels
    };
    m_fx.randomBelow = [this](int n) { return int(m_match.random().Random(n)); };

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
    m_fx.ResetCreationState();
    m_match.state().SoundOn = true;
    // 3. The grey selection colour, for this program only.
    m_savedHighlight = InstallGreySelection();
    // 4. The two shared caption fonts.
    EnabledFont();
    DisabledFont();
    // 5. Hidden, with its panel picture.
    hide();
    if (!LoadPanel(QStringLiteral("data\\panel1.jpg"), QSize(742, 603))) {
        m_startupError = PanelError();
        return;
    }
    // 6. The fonts of the on-screen texts.
    runStartupStep([this] { m_world.LoadFonts(); });
    // 7.
    m_match.state().Level = 1;
    // 8. The logo's colour.
    m_world.SetLogoColor();
    // 9. LAN state.
    MatchState& s = m_match.state();
    s.NetMode = false;
    s.NetConnected = false;
    s.NetRole = 0;
    s.FleetSent = false;
    s.FleetReceived = false;
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
        s.SoundOn = false;
    }
    m_sound->setSoundOn(s.SoundOn);
    // StartDir is the player's folder (options, scores, LAN clients); the
    // sounds, songs and scenery come from the data root. Both are the current
    // directory unless the game runs installed (ui/format/GameFolders.h).
    m_startDir = userRoot();
    const QString dataDir = QString::fromStdString(dataRoot().string());
    m_sound->loadEffects(dataDir);
    m_music = std::make_unique<MusicPlayer>(dataDir);
    m_music->setMessageBox(
        [](const QString& title, const QString& text) { QMessageBox::information(nullptr, title, text); });
    m_volume = std::make_unique<VolumeControl>(m_sound->waveOutput(), m_sound->midiOutput());
    // 13. The local address and the LAN endpoint.
    readLocalAddresses();
    NMUDP1.OnDataReceived = [this](int n, const QString& from, int port) {
        NMUDP1DataReceived(n, from, port);
    };
    NMUDP1.SetLocalPort(net::GamePort);
    // 14. Fight disabled: the menu state.
    m_match.refreshHost();
    // 15. The static scenery.
    runStartupStep([this] { m_world.BuildScenery(dataRoot()); });
    // The sunk ships' picture is first shown at the first sinking: a missing
    // or broken file must stop the start with its name, not end a hit
    // half-way. Held here, the boards' later loads share this copy.
    runStartupStep([this] { m_sunkPicture.LoadFromFile(m_world.path("DATA\\shipkill.jpg")); });
}

void TForm1::readLocalAddresses() {
    m_localIP = findLocalIP();
    std::vector<std::string> own;
    for (const QString& address : localIPv4Addresses())
        own.push_back(address.toStdString());
    own.push_back(m_localIP.toStdString());
    m_netReceiver.setLocalAddresses(std::move(own));
}

void TForm1::activationSteps() {
    // 1. Playlist.
    if (m_music) m_music->FormActivate();
    // 2. Volumes from the options window's bars: MIDI, then wave.
    if (m_volume && m_formOpt)
        m_volume->apply(m_formOpt->ProgressBar1->value(), m_formOpt->ProgressBar2->value());
    // 3. Idle start.
    m_fx.RecordIdleStart();
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
    // hears it as if Exit was pressed. No retries will follow, so whatever
    // the link still owes goes out once more now.
    const MatchState& s = m_match.state();
    if (s.NetMode && s.NetConnected && !s.GameLost && !s.GameWon) {
        m_netChannel.SendLeave();
        m_netChannel.flushNow();
    }
    linkTimer.stop();
    Timer1.stop();
    if (m_music) m_music->StopMusic();
    if (m_volume) m_volume->restore();
    RestoreSelection(m_savedHighlight);
    if (GLCadencer1) GLCadencer1->setEnabled(false);
    timerScroll.stop();
    if (QuitOnClose) {
        for (QWidget* w : {static_cast<QWidget*>(m_formMess), static_cast<QWidget*>(m_formOpt),
                           static_cast<QWidget*>(m_formScore)})
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
    // A network joined since the start (Wi-Fi after log-in) counts now, and
    // the new address must not make this side hear itself as a creator.
    readLocalAddresses();
    if (m_localIP == QStringLiteral("127.0.0.1") || !m_formNet) {
        ShowFormMess(60, tr("NetWork is unavailable on Your PC!").toStdString(), true);
        return;
    }
    if (!NMUDP1.BindError().isEmpty() && !m_bindErrorShown) {
        // Another copy of the game usually holds the port: this one can
        // announce and join but hears nothing. Say so once.
        m_bindErrorShown = true;
        ShowFormMess(40,
                     tr("UDP port %1 is busy:\n%2\nNo answers can reach this game.")
                         .arg(net::GamePort)
                         .arg(NMUDP1.BindError())
                         .toStdString(),
                     true);
    }
    m_match.SetMenuButton(MenuButton::Single, false, false);
    m_formNet->ExecModal();
}

void TForm1::elbtFightClick() {
    m_match.elbtFightClick();
}

void TForm1::elbtOptionsClick() {
    if (!m_match.state().button(MenuButton::Options).enabled || !m_formOpt) return;
    m_formOpt->ExecModal();
}

void TForm1::elbtHighScoresClick() {
    if (!m_match.state().button(MenuButton::Scores).enabled || !m_formScore) return;
    m_formScore->ExecModal();
}

void TForm1::elbtExitClick() {
    m_match.elbtExitClick();
}

void TForm1::Timer1Timer() {
    const bool netShot = m_match.state().NetMovePending;
    m_match.Timer1Timer();
    m_netChannel.pumpMoves();
    if (netShot) writeTestProbe();
}

void TForm1::bridgeClick() {
    m_fx.BridgeView();
    Compass->SetHeading(m_fx.Heading());
}

void TForm1::timerScrollTimer() {
    m_fx.timerScrollTimer();
    m_keys.refresh(); // the board in play changes with the turn
    Compass->SetHeading(m_fx.Heading());
    writeTestProbe();
}

void TForm1::writeTestProbe() {
    // Only for tests that drive the real program from outside (the LAN test
    // across two network namespaces): what the player would read off the
    // screen, as key=value lines, replaced whole at each write.
    static const QString path = qEnvironmentVariable("VTX_TEST_PROBE");
    if (path.isEmpty()) return;
    const MatchState& s = m_match.state();
    int shotAtOwn = 0;
    for (char c : s.OwnField)
        shotAtOwn += c == CellHit || c == CellSunk ? 1 : 0;
    QString text;
    const auto put = [&text](const char* key, const QVariant& value) {
        text += QString::fromLatin1(key) + u'=' + value.toString() + u'\n';
    };
    const QPoint viewer = GLSceneViewer1->mapToGlobal(QPoint(0, 0));
    put("viewer", QStringLiteral("%1,%2").arg(viewer.x()).arg(viewer.y()));
    put("status", Label2->text());
    put("turn", s.PlayerTurn);
    put("fight", int(s.FightStarted));
    put("inprogress", int(s.GameInProgress));
    put("won", int(s.GameWon));
    put("lost", int(s.GameLost));
    put("pending", int(s.ScorePending));
    put("points", s.LastPoints);
    put("netmode", int(s.NetMode));
    put("connected", int(s.NetConnected));
    put("shots", s.PlayerShots);
    put("enemyhits", s.EnemyHits);
    put("enemysunk", int(std::count_if(s.EnemyFleet.begin(), s.EnemyFleet.end(),
                                       [](const TShipRecord& ship) { return ship.Sunk != 0; })));
    put("ownhit", shotAtOwn);
    put("lobby", int(m_formNet && m_formNet->isVisible()));
    put("servers", m_formNet ? m_formNet->lbServers->count() : 0);
    put("message", m_formMess && m_formMess->isVisible() ? m_formMess->labMessF->text() : QString());
    put("scores", int(m_formScore && m_formScore->isVisible()));
    put("frames", GLSceneViewer1->framesDrawn());
    QFile out(path + QStringLiteral(".new"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    out.write(text.toUtf8());
    out.close();
    std::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(path).constData());
}

void TForm1::NMUDP1DataReceived(int, const QString& fromIP, int) {
    const QByteArray bytes = NMUDP1.ReadDatagram();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    m_netReceiver.NMUDP1DataReceived(std::span(data, std::size_t(bytes.size())), fromIP.toStdString());
    runLinkTimer();
    writeTestProbe();
}

void TForm1::linkTimerTimer() {
    m_netChannel.tick();
    showStatus();
    if (!m_netChannel.needsTicks()) linkTimer.stop();
}

// The channel's timers run from the event loop only: a tick may report a
// vanished opponent modally, which must not happen inside a rule's handler.
void TForm1::runLinkTimer() {
    if (m_netChannel.needsTicks() && !linkTimer.isActive()) linkTimer.start();
}

void TForm1::showStatus() {
    const auto link = m_netChannel.statusText();
    const QString text = link ? gameText(*link) : m_matchStatus;
    if (Label2->text() != text) Label2->setText(text);
}

// Redraws when the picture can have changed: a moved camera at once, the rest
// (the sea's frames, rocking ships, flames, marks) at most 24 times a second.
// An untouched menu then costs ten frames a second instead of one per tick.
void TForm1::GLCadencer1Progress(double, double newTime) {
    m_fx.PickHover();
    GLSceneViewer1->InvalidateIfChanged(newTime);
}

void TForm1::GLSceneViewer1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                     int y) {
    if (!m_world.ActivationStageBuilt()) return;
    m_fx.GLSceneViewer1MouseMove(buttons != Qt::NoButton || modifiers != Qt::NoModifier, x, y);
    Compass->SetHeading(m_fx.Heading());
}

void TForm1::GLSceneViewer1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (!m_world.ActivationStageBuilt()) return;
    m_fx.GLSceneViewer1MouseDown(gameButton(button), x, y);
    writeTestProbe();
}

void TForm1::TerminationRequested() {
    if (m_ending) return;
    m_ending = true;
    // No message on a failed store: nobody may be left to answer it.
    if (m_music) saveSong(m_startDir, m_music->SongIndex() + 1);
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
            if (key->key() == Qt::Key_Space) m_spaceHeld = true;
            FormKeyDown(key->key());
            if (m_keys.keyPress(*key)) return true;
        }
    }
    return TSkinnedForm::eventFilter(watched, event);
}

// -------------------------------------------------------------- IMatchHost

void TForm1::ResetBoards() {
    m_boards.ResetBoards();
}
void TForm1::MarkShot(std::int32_t board, std::int32_t row, std::int32_t column, bool hit) {
    m_boards.MarkShot(board, row, column, hit);
}
void TForm1::ShowSunkShip(std::int32_t board, std::int32_t n) {
    m_boards.ShowSunkShip(board, n);
}
void TForm1::StartShake() {
    m_fx.StartShake();
}
void TForm1::ShowEnemySurvivors() {
    m_boards.ShowEnemySurvivors();
}
void TForm1::PositionOwnShipModels() {
    m_boards.PositionOwnShipModels();
}
void TForm1::PositionEnemyShipModels() {
    m_boards.PositionEnemyShipModels();
}
void TForm1::HideShipModels(bool all) {
    m_boards.HideShipModels(all);
}

void TForm1::AnimateShipModels() {
    m_boards.AnimateShipModels([this] { m_match.random().reseed(m_clock); },
                               [this](int n) { return int(m_match.random().Random(n)); },
                               [] { QCoreApplication::processEvents(); });
}

void TForm1::ShowPlacementPreview() {
    m_boards.ShowPlacementPreview();
}
void TForm1::ShowShipModel(std::int32_t n) {
    m_boards.ShowShipModel(n);
}
void TForm1::PutShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) {
    m_boards.PutShipModelAt(n, row, column);
}
void TForm1::ShowWinMessage() {
    m_fx.ShowWinMessage();
    m_world.HUDText1->Text = hudText(m_world.HUDText1->Text);
}
void TForm1::ShowLossMessage() {
    m_fx.ShowLossMessage();
    m_world.HUDText1->Text = hudText(m_world.HUDText1->Text);
}
void TForm1::HideHudMessage() {
    m_fx.HideHudMessage();
}
void TForm1::ShowLogo(bool visible) {
    m_fx.ShowLogo(visible);
}
void TForm1::EnableScrollTimer() {
    timerScroll.start();
}
void TForm1::RestartIdleWait() {
    m_fx.RecordIdleStart();
}

void TForm1::PlaySound(Sound sound) {
    if (m_sound && m_match.state().SoundOn) m_sound->request(effectOf(sound));
}

void TForm1::SetStatus(std::string_view text) {
    SetStatus(gameText(text));
}

TWispButton* TForm1::buttonOf(MenuButton button) const {
    switch (button) {
    case MenuButton::Single:
        return elbtSingleGame;
    case MenuButton::Network:
        return elbtNetGame;
    case MenuButton::Fight:
        return elbtFight;
    case MenuButton::Options:
        return elbtOptions;
    case MenuButton::Scores:
        return elbtHighScores;
    }
    return nullptr;
}

void TForm1::SetButton(MenuButton button, bool enabled, bool whiteFont) {
    TWispButton* b = buttonOf(button);
    if (!b) return;
    b->SetFont(whiteFont ? EnabledFont() : DisabledFont());
    b->setEnabled(enabled);
}

void TForm1::SetTimer1(bool enabled, std::int32_t intervalMs) {
    if (Timer1.interval() != intervalMs) Timer1.setInterval(intervalMs);
    if (enabled && !Timer1.isActive()) Timer1.start();
    if (!enabled) Timer1.stop();
}

void TForm1::ShowFormMess(std::int32_t top, std::string_view text, bool modal) {
    const QString message = gameText(text);
    if (m_formMess)
        m_formMess->ShowFormMess(top, message, modal);
    else
        vtx::ShowFormMess(top, message, modal);
}

void TForm1::ShowScoreWindowModal() {
    if (!m_formScore) return;
    // Over the view, below the result, which stays in sight while the name
    // is entered.
    const THUDText& message = *m_world.HUDText1;
    const int below = int((message.Position.y + float(m_world.BitmapFont1.CharHeight) + message.BackPadding) *
                          GLSceneViewer1->HudScale) +
                      12;
    const QPoint view = GLSceneViewer1->mapToGlobal(QPoint(0, 0));
    m_formScore->move(view.x() + (GLSceneViewer1->width() - m_formScore->width()) / 2, view.y() + below);
    m_formScore->ExecModal();
}

bool TForm1::manualArrangementChecked() {
    return m_formOpt && m_formOpt->bcbManual->Checked();
}
bool TForm1::musicChecked() {
    return m_formOpt && m_formOpt->bcbEnableMusic->Checked();
}
std::int32_t TForm1::difficultyIndex() {
    return m_formOpt ? m_formOpt->cbDifficulty->currentIndex() : 0;
}
void TForm1::setDifficultyIndex(std::int32_t index) {
    if (m_formOpt) m_formOpt->cbDifficulty->setCurrentIndex(index);
}
std::optional<std::int32_t> TForm1::readVortalixDifficulty() {
    return vtx::readVortalixDifficulty(m_startDir);
}
void TForm1::StartNextSong() {
    if (m_music) m_music->StartNextSong();
}
void TForm1::StopMusic() {
    if (m_music) m_music->StopMusic();
}

void TForm1::Delay(std::int32_t ms) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 left = ms - clock.elapsed();
        if (left <= 0) break;
        // Between passes the thread rests instead of spinning a core.
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 2)));
    }
}

void TForm1::QuitProgram() {
    showMinimized();
    GLSceneViewer1->hide();
    if (m_music) {
        // A song position that cannot be stored is worth telling before we go.
        if (const auto error = saveSong(m_startDir, m_music->SongIndex() + 1)) ShowFormMess(60, *error, true);
    }
    close();
}

// ---------------------------------------------------------------------- LAN

void TForm1::SendRequest(const QString& host, const QByteArray& text) {
    if (host.isEmpty()) return;
    NMUDP1.ReportLevel = 2;
    NMUDP1.RemoteHost = host;
    NMUDP1.RemotePort = net::GamePort;
    NMUDP1.SendDatagram(text);
}

// The match's messages: plain datagrams or the extended protocol's frames,
// as the channel settled at the join.
void TForm1::SendShot(std::int32_t row, std::int32_t column) {
    m_netChannel.SendShot(row, column);
    runLinkTimer();
}

void TForm1::SendLeave() {
    m_netChannel.SendLeave();
    runLinkTimer();
}

void TForm1::SendFleet() {
    m_netChannel.SendFleet();
    runLinkTimer();
}

// The match sends from the middle of its rules: a send the endpoint refuses
// is told to the player without a modal wait (the message has its Ok button),
// and the rules run on whole.
void TForm1::SendDatagram(std::string_view host, std::span<const unsigned char> bytes) {
    try {
        SendRequest(QString::fromLatin1(host.data(), qsizetype(host.size())),
                    QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    } catch (const UDPSockError& error) {
        if (m_formMess)
            m_formMess->ShowNotice(60, QString::fromUtf8(error.what()));
        else
            vtx::ShowFormMess(60, QString::fromUtf8(error.what()), false);
    }
}

void TForm1::JoinGame(const QString& creatorIP, bool extended) {
    m_netChannel.join(creatorIP.toStdString(), extended);
    runLinkTimer();
}

void TForm1::SetNetMode(bool on) {
    m_match.state().NetMode = on;
}
void TForm1::SetNetConnected(bool on) {
    m_match.state().NetConnected = on;
}
void TForm1::SetNetRole(int role) {
    m_match.state().NetRole = role;
}
void TForm1::SetOpponentIP(const QString& ip) {
    m_match.state().OpponentIP = ip.toStdString();
}
// The lobby starts matches while the Single button is off: past the button's check.
void TForm1::StartMatch() {
    m_match.elbtSingleGameClick();
}
void TForm1::SetStatus(const QString& text) {
    m_matchStatus = text;
    showStatus();
}
void TForm1::SwitchSingleButton(bool on) {
    m_match.SetMenuButton(MenuButton::Single, on, on);
}

void TForm1::JoinRequested() {
    runLinkTimer();
    // Cancel while the match starts would leave the opponent waiting.
    if (m_formNet) m_formNet->MatchStarting();
    m_match.elbtSingleGameClick();
    if (m_formNet) m_formNet->close();
}
bool TForm1::ServerListed(std::string_view fromIP) {
    return m_formNet && m_formNet->HasServer(QString::fromUtf8(fromIP.data(), qsizetype(fromIP.size())));
}
void TForm1::AddServer(std::string_view fromIP, std::string_view presenceText) {
    if (m_formNet)
        m_formNet->AddServer(QString::fromUtf8(fromIP.data(), qsizetype(fromIP.size())),
                             QByteArray(presenceText.data(), qsizetype(presenceText.size())));
}
void TForm1::OpponentLeft() {
    ShowFormMess(60, net::OpponentLeftText, true);
}
void TForm1::OpponentGone() {
    ShowFormMess(60, net::OpponentGoneText, true);
}

// ------------------------------------------------------------ IOptionsHost

bool TForm1::GameInProgress() const {
    return m_match.state().GameInProgress;
}
// The next Single reads the box again; copying it into the live flag in the
// menu would only let clicks on the own board place ships outside a match.
void TForm1::SetArranging(bool) {}

void TForm1::SetTurnDelay(int seconds) {
    if (seconds == 1) {
        m_match.ActivateTurnTimer();
        return;
    }
    MatchState& s = m_match.state();
    s.TurnDelay = seconds;
    s.Timer1Interval = seconds * 1000;
    SetTimer1(s.Timer1Enabled, s.Timer1Interval);
}

void TForm1::SetSoundOn(bool on) {
    m_match.state().SoundOn = on;
    if (m_sound) m_sound->setSoundOn(on);
}

void TForm1::SetSongIndex(int index) {
    if (m_music) m_music->setSongIndex(index);
}
void TForm1::SetWaveVolumeFromLevel(int level) {
    if (m_volume) m_volume->setWaveFromLevel(level);
}
void TForm1::SetMidiVolumeFromLevel(int level) {
    if (m_volume) m_volume->setMidiFromLevel(level);
}
void TForm1::CaptureVolumes() {
    if (m_volume) m_volume->capture();
}
void TForm1::MusicSwitchClicked(bool checked) {
    if (m_music) m_music->bcbEnableMusicClick(checked);
}

// -------------------------------------------------------------- IScoreHost

bool TForm1::ScorePending() const {
    return m_match.state().ScorePending;
}
void TForm1::SetScorePending(bool pending) {
    m_match.state().ScorePending = pending;
}
int TForm1::LastPoints() const {
    return m_match.state().LastPoints;
}
QString TForm1::PlayerName() const {
    return m_formOpt ? m_formOpt->edPlayerName->text() : QString();
}

} // namespace vtx
