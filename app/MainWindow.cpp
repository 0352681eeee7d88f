#include "app/MainWindow.h"

#include "app/ChatPanel.h"
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
#include "scene/engine/FrameClock.h"
#include "scene/engine/SceneView.h"
#include "ui/Compass.h"
#include "ui/LobbyWindow.h"
#include "ui/MessageWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ScoresWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"
#include "ui/SkinPalette.h"

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

MainWindow::MainWindow(QWidget* parent) : SkinnedWindow(parent), m_world(resolveGameFile) {
    setWindowTitle(QStringLiteral("Vortalix 3D"));
    resize(ClientWidth, ClientHeight);
    createComponents();
    startUp();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    turnTimer.stop();
    tickTimer.stop();
    if (frameClock) frameClock->setEnabled(false);
    // The viewer draws the World's scene: let it go before the scene does.
    delete view;
    view = nullptr;
}

void MainWindow::setWindows(MessageWindow* mess, OptionsWindow* opt, ScoresWindow* score) {
    m_parts.mess = mess;
    m_parts.options = opt;
    m_parts.scores = score;
    // The small windows grow with the main window.
    for (SkinnedWindow* w : std::initializer_list<SkinnedWindow*>{mess, opt, score})
        if (w) w->followScaleOf(this);
    restoreSession();
}

void MainWindow::restoreSession() {
    const StoredSession session = readStoredSession(m_parts.startDir);
    // Values outside a bar's range leave it in the middle (QProgressBar ignores them).
    if (m_parts.options && session.effectsLevel) m_parts.options->effectsBar->setValue(*session.effectsLevel);
    if (m_parts.options && session.musicLevel) m_parts.options->musicBar->setValue(*session.musicLevel);
    if (!session.windowWidth || !session.windowHeight) return;
    QSize wanted(*session.windowWidth, *session.windowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    wanted = wanted.expandedTo(minimumSize());
    if (wanted == size()) return;
    resize(wanted);
    centerOnScreen();
}

void MainWindow::setLobby(LobbyWindow* lobby) {
    m_parts.lobby = lobby;
    if (lobby) lobby->followScaleOf(this);
}

SkinButton* MainWindow::makeButton(int top, const QString& caption, int xOffset, int yOffset) {
    auto* button = new SkinButton(this);
    button->setFaces("71x24");
    button->setGeometry(650, top, 71, 24);
    button->setText(caption);
    button->setXOffset(xOffset);
    button->setYOffset(yOffset);
    button->setSkinFont(enabledFont());
    return button;
}

void MainWindow::fitCaption(SkinButton* button) {
    // Our sans face runs wider than the captions' offsets were laid out for;
    // slightly tighter letters keep "Network" and "Options" on their faces.
    QFont captionFont = button->font();
    captionFont.setPixelSize(13);
    for (int spacing = 100; spacing >= 80; spacing -= 2) {
        captionFont.setLetterSpacing(QFont::PercentageSpacing, spacing);
        button->setCaptionFont(captionFont);
        if (button->captionLeft() + QFontMetrics(captionFont).horizontalAdvance(button->caption()) <=
            button->width() - 4)
            break;
    }
}

void MainWindow::createComponents() {
    view = new SceneView(this);
    view->setGeometry(13, 42, 616, 547);
    view->scene = &m_world.scene;
    view->camera = m_world.camera;
    view->onMouseMove = [this](Qt::MouseButtons b, Qt::KeyboardModifiers m, int x, int y) {
        viewMouseMoved(b, m, x, y);
    };
    view->onMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        viewMousePressed(b, m, x, y);
    };
    view->onMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        if (m_world.activationStageBuilt()) m_picker.release(gameButton(b), x, y);
    };
    connect(view, &SceneView::frameSwapped, this, &MainWindow::announceFirstFrame);

    // The tally between the compass and the menu's plate.
    m_hud = std::make_unique<BattleHud>(*this, QRect(642, 196, 94, 70), *m_world.resultText, m_boards,
                                        m_match.state(), m_clock);

    statusLine = new QLabel(this);
    statusLine->setGeometry(213, 15, 260, 14);
    QFont labelFont = statusLine->font();
    labelFont.setPixelSize(11);
    labelFont.setBold(true);
    statusLine->setFont(labelFont);
    statusLine->setStyleSheet(QStringLiteral("color: silver; background: transparent;"));

    singleButton = makeButton(288, tr("Single"), 22, 7);
    networkButton = makeButton(328, tr("Network"), 18, 7);
    fightButton = makeButton(368, tr("  Fight"), 18, 7);
    optionsButton = makeButton(408, tr("Options"), 20, 7);
    scoresButton = makeButton(448, tr("Scores"), 20, 7);
    exitButton = makeButton(488, tr("  Exit"), 20, 7);
    connect(singleButton, &SkinButton::clicked, this, &MainWindow::singleClicked);
    connect(networkButton, &SkinButton::clicked, this, &MainWindow::networkClicked);
    connect(fightButton, &SkinButton::clicked, this, &MainWindow::fightClicked);
    connect(optionsButton, &SkinButton::clicked, this, &MainWindow::optionsClicked);
    connect(scoresButton, &SkinButton::clicked, this, &MainWindow::scoresClicked);
    connect(exitButton, &SkinButton::clicked, this, &MainWindow::exitClicked);
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
    connect(bridge, &QPushButton::clicked, this, &MainWindow::bridgeClicked);
    bridgePlate = bridge;
    compass = new Compass(this, QPointF(685.5, 150.5), 28.0);

    turnTimer.setTimerType(Qt::PreciseTimer);
    turnTimer.setInterval(m_match.state().timer1Interval);
    connect(&turnTimer, &QTimer::timeout, this, &MainWindow::turnTimerFired);
    tickTimer.setInterval(100);
    connect(&tickTimer, &QTimer::timeout, this, &MainWindow::tickTimerFired);

    frameClock = new FrameClock(this);
    frameClock->scene = &m_world.scene;
    frameClock->onProgress = [this](double dt, double t) { frameAdvanced(dt, t); };

    m_picker.pick = [this](int x, int y) { return view->pickObject(x, y); };
    m_picker.pickThrough = [this](int x, int y, const PickFilter& lookThrough) {
        return view->pickObjectThrough(x, y, lookThrough);
    };
    m_cameraFx.rightButtonHeld = [] { return QGuiApplication::mouseButtons().testFlag(Qt::RightButton); };
    m_cameraFx.cursorOffsetY = [this] {
        return int(std::floor(scale().toDesign(mapFromGlobal(QCursor::pos())).y())); // layout pixels
    };
    m_cameraFx.randomBelow = [this](int n) { return int(m_match.random().random(n)); };

    m_parts.window = this;
    m_parts.viewer = view;
    m_parts.status = statusLine;
    m_parts.menuButtons = {singleButton, networkButton, fightButton, optionsButton, scoresButton};
    m_chat = std::make_unique<ChatPanel>(*this, *view, *singleButton, m_match, m_lan, m_parts);
    m_parts.chat = m_chat.get();
    m_parts.turnTimer = &turnTimer;
    m_parts.tickTimer = &tickTimer;
    m_status.label = statusLine;
    m_probe = TestProbe::fromEnvironment(m_match, m_parts);

    // Key preview: the window sees every key press before its controls.
    qApp->installEventFilter(this);

    // The signals that ask the program to end close the window; SDL must not
    // take them first (its audio starts in startUp).
    SignalBridge::disableSdlSignalHandlers();
    m_signals = std::make_unique<SignalBridge>();
    connect(m_signals.get(), &SignalBridge::terminationRequested, this, &MainWindow::terminationRequested);
}

void MainWindow::runStartupStep(const std::function<void()>& step) {
    if (!m_startupError.isEmpty() || m_startupAborted) return;
    try {
        step();
    } catch (const std::exception& error) {
        m_startupError = QString::fromUtf8(error.what());
    }
}

void MainWindow::startUp() {
    // 1. Caption offsets on large-font screens.
    if (!isSmallFonts()) {
        singleButton->setXOffset(18), singleButton->setYOffset(6);
        networkButton->setXOffset(13), networkButton->setYOffset(6);
        fightButton->setXOffset(14), fightButton->setYOffset(6);
        optionsButton->setXOffset(14), optionsButton->setYOffset(6);
        scoresButton->setXOffset(15), scoresButton->setYOffset(6);
        exitButton->setXOffset(18), exitButton->setYOffset(6);
    }
    for (SkinButton* b : {singleButton, networkButton, fightButton, optionsButton, scoresButton, exitButton})
        fitCaption(b);
    // 2. Initial values.
    m_cameraFx.resetCreationState();
    m_match.setSoundOn(true);
    // 3. The grey selection colour, for this program only.
    m_savedHighlight = installGreySelection();
    // 4. The two shared caption fonts.
    enabledFont();
    disabledFont();
    // 5. Hidden, with its panel picture.
    hide();
    if (!loadPanel(datafiles::kMainPanel, QSize(742, 603))) {
        m_startupError = panelError();
        return;
    }
    // 6. The fonts of the on-screen texts.
    runStartupStep([this] { m_world.loadFonts(); });
    // 7. Level 1 and 9. no LAN match: the state a new Match starts in.
    // 8. The logo's colour.
    m_world.setLogoColor();
    // 10. Centred on the screen; 11. the outline.
    centerOnScreen();
    setOutline(mainOutline());
    setDragArea(10, 10, 470, 28);
    rebuildWindowRgn();
    onScaled = [this](double factor) { view->hudScale = float(factor); };
    enableScaling();
    if (!m_startupError.isEmpty()) return;
    // 12. Sound start-up and startDir.
    const QString mismatch = SoundSystem::versionMismatchMessage();
    if (!mismatch.isEmpty()) {
        QMessageBox::information(nullptr, QStringLiteral("Vortalix 3D"), mismatch);
        m_startupAborted = true;
        return;
    }
    m_sound = std::make_unique<SoundSystem>();
    if (!m_sound->init()) {
        QMessageBox::information(nullptr, QStringLiteral("Vortalix 3D"), SoundSystem::initFailedText());
        m_match.setSoundOn(false);
    }
    m_sound->setSoundOn(m_match.state().soundOn);
    // startDir is the player's folder (options, scores, LAN clients); the
    // sounds, songs and scenery come from the data root. Both are the current
    // directory unless the game runs installed (files/GameFolders.h).
    m_parts.startDir = userRoot();
    const QString dataDir = QString::fromStdString(dataRoot().string());
    m_sound->loadEffects(dataDir);
    m_music = std::make_unique<MusicPlayer>(dataDir);
    // A song fails at a match's start, in the middle of the rules: told without a wait.
    m_music->setMessageBox([this](const QString&, const QString& text) {
        m_parts.showNotice(50, tr("The music cannot be played:\n%1").arg(text));
    });
    m_volume = std::make_unique<VolumeControl>(m_sound->waveOutput(), m_sound->midiOutput());
    m_parts.sound = m_sound.get();
    m_parts.music = m_music.get();
    m_parts.volume = m_volume.get();
    // 13. The local address and the LAN endpoint.
    m_lan.readLocalAddresses();
    udp.onDataReceived = [this](int n, const QString& from, int port) { datagramReceived(n, from, port); };
    udp.setLocalPort(net::GamePort);
    // 14. Fight disabled: the menu state.
    m_match.refreshHost();
    // The GL driver loads while the scenery decodes: by the window's first frame it is there.
    // Not sooner: sound and the address lookup load libraries of their own, which would wait.
    warmUpGlDriver();
    // 15. The static scenery.
    runStartupStep([this] { m_world.buildScenery(dataRoot()); });
    // The sunk ships' picture is first shown at the first sinking: a missing
    // or broken file must stop the start with its name, not end a hit
    // half-way. Held here, the boards' later loads share this copy.
    runStartupStep([this] { m_sunkPicture.loadFromFile(m_world.path(datafiles::kSunkShipSkin)); });
}

void MainWindow::activationSteps() {
    // 1. Playlist.
    if (m_music) m_music->shown();
    // 2. Volumes from the options window's bars: MIDI, then wave.
    if (m_volume && m_parts.options)
        m_volume->apply(m_parts.options->musicBar->value(), m_parts.options->effectsBar->value());
    // 3. Idle start.
    m_cameraFx.recordIdleStart();
    // 4. The turn timer.
    m_match.activateTurnTimer();
}

void MainWindow::shown() {
    if (!m_startupError.isEmpty() || m_startupAborted) return;
    activationSteps();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::focusWindowChanged,
            Qt::UniqueConnection);
    // 5. Ship models and cell planes, once.
    runStartupStep([this] { m_world.buildActivationStage(m_boards); });
    if (!m_startupError.isEmpty()) return;
    tickTimer.start();
    frameClock->setEnabled(true);
}

void MainWindow::closing() {
    // Closed or told to end in the middle of a network match: the opponent
    // hears it as if Exit was pressed.
    m_lan.leaveOnClose();
    if (m_parts.options) {
        StoredSession session{m_parts.options->effectsBar->value(), m_parts.options->musicBar->value(),
                              width(), height()};
        saveStoredSession(m_parts.startDir, session); // a failure costs only these settings
    }
    turnTimer.stop();
    if (m_music) m_music->stopMusic();
    if (m_volume) m_volume->restoreMixerVolumes();
    restoreSelection(m_savedHighlight);
    if (frameClock) frameClock->setEnabled(false);
    tickTimer.stop();
    if (quitOnClose) {
        for (QWidget* w : {static_cast<QWidget*>(m_parts.mess), static_cast<QWidget*>(m_parts.options),
                           static_cast<QWidget*>(m_parts.scores)})
            if (w) w->hide();
        QCoreApplication::quit();
    }
}

void MainWindow::focusWindowChanged(QWindow* window) {
    QWindow* previous = m_previousFocus;
    m_previousFocus = window;
    if (!window || window != windowHandle() || !previous) return;
    // The focus came back from one of our windows shown without a modal
    // wait (the message window's non-modal use): the window is activated
    // again, as when it was first shown. Modal windows' owners re-run what
    // they need themselves.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == this || w->windowHandle() != previous) continue;
        const auto* skinned = qobject_cast<SkinnedWindow*>(w);
        if (skinned && !skinned->inModalLoop()) activationSteps();
        return;
    }
}

void MainWindow::announceFirstFrame() {
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

void MainWindow::singleClicked() {
    if (!m_match.state().button(MenuButton::Single).enabled) return;
    if (m_chat && m_chat->playAgainClicked()) return; // Single is Play again after a LAN match
    m_match.singleClicked();
}

void MainWindow::networkClicked() {
    if (!m_match.state().button(MenuButton::Network).enabled) return;
    m_lan.readLocalAddresses();
    if (m_lan.localIp() == QStringLiteral("127.0.0.1") || !m_parts.lobby) {
        m_parts.showMessage(60, tr("NetWork is unavailable on Your PC!"), true);
        return;
    }
    if (!udp.bindError().isEmpty() && !m_bindErrorShown) {
        // Another copy of the game usually holds the port: this one can
        // announce and join but hears nothing. Say so once.
        m_bindErrorShown = true;
        m_parts.showMessage(40,
                            tr("UDP port %1 is busy:\n%2\nNo answers can reach this game.")
                                .arg(net::GamePort)
                                .arg(udp.bindError()),
                            true);
    }
    if (m_chat) m_chat->menuChosen(); // no other match with the last opponent
    m_match.setMenuButton(MenuButton::Single, false, false);
    m_parts.lobby->placeRelativeTo(this);
    m_parts.lobby->execModal();
}

void MainWindow::fightClicked() {
    m_match.fightClicked();
}

void MainWindow::optionsClicked() {
    if (!m_match.state().button(MenuButton::Options).enabled || !m_parts.options) return;
    m_parts.options->placeRelativeTo(this);
    m_parts.options->execModal();
}

void MainWindow::scoresClicked() {
    if (!m_match.state().button(MenuButton::Scores).enabled || !m_parts.scores) return;
    m_parts.scores->placeRelativeTo(this);
    m_parts.scores->execModal();
}

void MainWindow::exitClicked() {
    const MatchState& s = m_match.state();
    const bool running = s.gameInProgress && !s.gameWon && !s.gameLost;
    const std::int64_t now = m_clock.tickMs();
    // The second click of a double click is no click on what the first one
    // made of the button (a left match, then a quit program).
    const bool secondClick = now - m_exitClickTick < QApplication::doubleClickInterval();
    if (secondClick && running != m_exitClickRunning) return;
    m_exitClickTick = now;
    m_exitClickRunning = running;
    if (!running || !m_parts.mess) {
        m_match.exitClicked();
        return;
    }
    if (m_parts.mess->asking()) return;
    m_parts.mess->ask(60, tr("Leave this match?"), [this](bool yes) {
        const MatchState& now = m_match.state();
        // The match may have ended while the question stood.
        if (!yes || !now.gameInProgress || now.gameWon || now.gameLost) return;
        m_exitClickTick = m_clock.tickMs();
        m_exitClickRunning = true;
        m_match.exitClicked();
    });
}

void MainWindow::turnTimerFired() {
    const bool netShot = m_match.state().netMovePending;
    m_match.turnTimerFired();
    m_lan.channel().pumpMoves();
    if (netShot) updateTestProbe();
}

void MainWindow::bridgeClicked() {
    m_cameraFx.bridgeView();
    turnTheCompass();
}

// The window's 100 ms tick does more than scroll; each duty by its name.
void MainWindow::tickTimerFired() {
    moveTheWorld();
    startLanBattleWhenReady();
    followTheTurnWithTheKeys();
    updateTheCounts();
    dropAStaleQuestion();
    turnTheCompass();
    updateTestProbe();
}

// Idle spin, the result's pulse, the sea's frames, the shake, the edge scroll.
void MainWindow::moveTheWorld() {
    m_cameraFx.tickTimerFired();
}

// A poll from the event loop, on purpose: the lobby writes its waiting status
// after the match's start returns, and the ready status must come after it.
void MainWindow::startLanBattleWhenReady() {
    m_match.completeFleetExchange();
}

// The keyboard cursor goes to the board in play, which changes with the turn.
void MainWindow::followTheTurnWithTheKeys() {
    m_keys.refresh();
}

void MainWindow::updateTheCounts() {
    m_hud->update();
}

// A question about a match that has ended meanwhile has nothing to ask.
void MainWindow::dropAStaleQuestion() {
    if (m_parts.mess && m_parts.mess->asking() && !m_match.state().gameInProgress)
        m_parts.mess->dropQuestion();
}

void MainWindow::turnTheCompass() {
    compass->setHeading(m_cameraFx.heading());
}

void MainWindow::updateTestProbe() {
    if (m_probe) m_probe->update();
}

void MainWindow::datagramReceived(int, const QString& fromIP, int) {
    m_lan.datagramArrived(fromIP);
    updateTestProbe();
}

// Redraws when the picture can have changed: a moved camera at once, the rest
// (the sea's frames, rocking ships, flames, marks) at most 24 times a second.
// An untouched menu then costs ten frames a second instead of one per tick.
void MainWindow::frameAdvanced(double, double newTime) {
    m_picker.pickHover();
    view->invalidateIfChanged(newTime);
}

void MainWindow::viewMouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y) {
    if (!m_world.activationStageBuilt()) return;
    m_cameraFx.viewMouseMoved(buttons != Qt::NoButton || modifiers != Qt::NoModifier, x, y);
    m_picker.pointerMoved(x, y);
    turnTheCompass();
}

void MainWindow::viewMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (!m_world.activationStageBuilt()) return;
    m_picker.click(gameButton(button), x, y);
    m_cameraFx.viewMousePressed(x, y);
    updateTestProbe();
}

void MainWindow::terminationRequested() {
    if (m_ending) return;
    m_ending = true;
    // No message on a failed store: nobody may be left to answer it.
    if (m_music) saveSong(m_parts.startDir, m_music->songIndex() + 1);
    close();
}

void MainWindow::keyPressed(int) {
    if (m_spaceHeld) m_match.spaceToggle();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // Space let go while another window had the keyboard (one of ours or
    // another program's) must not stay held for the next arrangement.
    if (type == QEvent::WindowDeactivate && watched == this) m_spaceHeld = false;
    if (type == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) m_spaceHeld = false;
    }
    // A click on Fight while it is off (ships still to place) is told why.
    if (type == QEvent::MouseButtonPress && watched == fightButton && !fightButton->isEnabled())
        m_match.fightRefused();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return SkinnedWindow::eventFilter(watched, event);
    // Key events travel from the focus widget up its parents; take each once,
    // at the first widget of this window that receives it.
    QWidget* first = QApplication::focusWidget();
    if (!first || first->window() != this) first = this;
    // A key pressed over the 3D view may arrive at the view's native window;
    // it goes on where it would with the pointer anywhere else, and nowhere
    // while one of our windows above holds the keyboard.
    if (KeyboardControl::insideView(watched, *this)) {
        const QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != this) return true;
        const std::unique_ptr<QEvent> copy(event->clone());
        QApplication::sendEvent(first, copy.get());
        return true;
    }
    if (watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Typed into the chat field: no battle key.
        if (type == QEvent::KeyPress && m_chat && m_chat->keyPress(*key))
            return SkinnedWindow::eventFilter(watched, event);
        if (type == QEvent::KeyPress) {
            // A keyboard player is no idle player.
            if (m_world.activationStageBuilt()) m_cameraFx.inputSeen();
            if (key->key() == Qt::Key_Space) m_spaceHeld = true;
            keyPressed(key->key());
            if (m_keys.keyPress(*key)) return true;
        }
    }
    return SkinnedWindow::eventFilter(watched, event);
}

} // namespace vtx
