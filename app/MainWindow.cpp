#include "app/MainWindow.h"

#include "app/ChatPanel.h"
#include "app/PlayAgain.h"
#include "app/SignalBridge.h"
#include "app/TestProbe.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeControl.h"
#include "files/DataPath.h"
#include "game/NetMessage.h"
#include "scene/engine/FrameClock.h"
#include "scene/engine/SceneView.h"
#include "ui/Compass.h"
#include "ui/LobbyWindow.h"
#include "ui/MessageWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ScoresWindow.h"
#include "ui/SkinButton.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

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
    button->fitCaptionFont(captionFont, 80);
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
        viewMouseReleased(b, x, y);
    };
    m_picker.setView(view);
    connect(view, &SceneView::frameSwapped, this, &MainWindow::announceFirstFrame);

    // The tally between the compass and the menu's plate.
    m_hud = std::make_unique<BattleHud>(*this, QRect(642, 196, 94, 70), m_viewTexts, m_boards,
                                        m_match.state(), m_clock);

    statusLine = new QLabel(this);
    // As long as the title strip leaves room: a replay says whom, when and where it stands.
    statusLine->setGeometry(213, 15, 500, 14);
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
    m_host.keysInUse = [this] { return m_keys.cursor().shown(); };

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
    turnTimer.setInterval(m_match.state().turnTimerIntervalMs);
    connect(&turnTimer, &QTimer::timeout, this, &MainWindow::turnTimerFired);
    tickTimer.setInterval(100);
    connect(&tickTimer, &QTimer::timeout, this, &MainWindow::tickTimerFired);

    frameClock = new FrameClock(this);
    frameClock->scene = &m_world.scene;
    frameClock->onProgress = [this](double dt, double t) { frameAdvanced(dt, t); };

    m_cameraFx.rightButtonHeld = [] { return QGuiApplication::mouseButtons().testFlag(Qt::RightButton); };
    m_cameraFx.cursorOffsetY = [this] {
        return int(std::floor(scale().toDesign(mapFromGlobal(QCursor::pos())).y())); // layout pixels
    };
    m_cameraFx.randomBelow = [this](int n) { return int(m_match.random().random(n)); };

    m_parts.window = this;
    m_parts.viewer = view;
    m_parts.status = statusLine;
    m_parts.menuButtons = {singleButton, networkButton, fightButton, optionsButton, scoresButton};
    m_chat = std::make_unique<ChatPanel>(*this, *view, m_match, m_lan, m_parts);
    m_parts.chat = m_chat.get();
    m_playAgain = std::make_unique<PlayAgain>(*singleButton, *m_chat, m_lan, m_parts);
    m_parts.playAgain = m_playAgain.get();
    m_parts.keeper = &m_keeper;
    m_parts.replay = &m_replayViewer;
    m_keeper.opponentName = [this] { return m_lan.opponentName(); };
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

// ---------------------------------------------------------------- handlers

void MainWindow::singleClicked() {
    if (!m_match.state().button(MenuButton::Single).enabled) return;
    m_replayViewer.leave();
    if (m_playAgain && m_playAgain->singleClicked()) return; // Single is Play again after a LAN match
    m_match.singleClicked();
}

void MainWindow::networkClicked() {
    if (!m_match.state().button(MenuButton::Network).enabled) return;
    m_replayViewer.leave();
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
    if (m_playAgain) m_playAgain->menuChosen(); // no other match with the last opponent
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
    // A replay counts as running: Exit leaves it to the menu, and the second
    // click of a double click does not quit the program.
    const bool watching = m_replayViewer.active();
    if (secondClick && (running || watching) != m_exitClickRunning) return;
    m_exitClickTick = now;
    m_exitClickRunning = running || watching;
    if (watching) {
        m_replayViewer.leave();
        return;
    }
    if (!running || !m_parts.messageWindow) {
        m_match.exitClicked();
        return;
    }
    if (m_parts.messageWindow->asking()) return;
    m_parts.messageWindow->ask(60, tr("Leave this match?"), [this](bool yes) {
        const MatchState& now = m_match.state();
        // The match may have ended while the question stood.
        if (!yes || !now.gameInProgress || now.gameWon || now.gameLost) return;
        m_exitClickTick = m_clock.tickMs();
        m_exitClickRunning = true;
        m_match.exitClicked();
    });
}

void MainWindow::escapePressed() {
    // In the menu Esc asks before the program ends; elsewhere it is Exit.
    if (m_match.state().gameInProgress || !m_parts.messageWindow) {
        exitClicked();
        return;
    }
    if (m_parts.messageWindow->asking()) return;
    m_quitAsked = true;
    m_parts.messageWindow->ask(60, tr("Quit Vortalix 3D?"), [this](bool yes) {
        m_quitAsked = false;
        if (yes && !m_match.state().gameInProgress) exitClicked();
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
    keepTheMatches();
    dropAStaleQuestion();
    turnTheCompass();
    if (m_chat) m_chat->refresh();
    updateTestProbe();
}

// Idle spin, the sea's frames, the shake, the edge scroll; the result's pulse.
void MainWindow::moveTheWorld() {
    m_cameraFx.tickTimerFired();
    m_viewTexts.tickTimerFired();
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

// A match that is over goes to the replays folder.
void MainWindow::keepTheMatches() {
    m_keeper.tick();
}

// A question about a match that has ended meanwhile has nothing to ask.
void MainWindow::dropAStaleQuestion() {
    // The quit question belongs to the menu: it is never stale there.
    if (m_parts.messageWindow && m_parts.messageWindow->asking() && !m_match.state().gameInProgress &&
        !m_quitAsked)
        m_parts.messageWindow->dropQuestion();
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
    pickHover();
    view->invalidateIfChanged(newTime);
}

void MainWindow::pickHover() {
    const auto cell = m_picker.pickHover();
    if (!cell) return;
    m_match.cellHovered(*cell);
    m_keys.cellHovered(*cell);
}

void MainWindow::viewMouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y) {
    if (!m_world.activationStageBuilt()) return;
    m_cameraFx.viewMouseMoved(buttons != Qt::NoButton || modifiers != Qt::NoModifier, x, y);
    m_picker.pointerMoved(x, y);
    turnTheCompass();
}

void MainWindow::viewMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (!m_world.activationStageBuilt()) return;
    // A hover still waiting for its frame goes first: the click acts on the
    // cell the preview shows.
    pickHover();
    if (const auto cell = m_picker.pressed(gameButton(button), x, y))
        m_match.cellClicked(*cell, gameButton(button));
    m_cameraFx.viewMousePressed(x, y);
    updateTestProbe();
}

void MainWindow::viewMouseReleased(Qt::MouseButton button, int x, int y) {
    if (!m_world.activationStageBuilt()) return;
    if (const auto cell = m_picker.released(gameButton(button), x, y))
        m_match.cellClicked(*cell, gameButton(button));
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
            // A replay's keys are its own, not the menu's or the cell cursor's.
            if (m_replayViewer.keyPress(key->key())) return true;
            if (key->key() == Qt::Key_Space) m_spaceHeld = true;
            keyPressed(key->key());
            if (m_keys.keyPress(*key)) return true;
        }
    }
    return SkinnedWindow::eventFilter(watched, event);
}

} // namespace vtx
