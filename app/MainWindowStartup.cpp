// The main window's life around the match: start-up (sound, the player's
// folder, the scenery, the wiring of the endpoint, the music and the
// signals), the windows it is handed, the first show, the focus between
// windows, and what is saved when it closes. The window itself (its widgets,
// the buttons' handlers, the tick and input) is in MainWindow.cpp.

#include "app/MainWindow.h"

#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeControl.h"
#include "files/GameFolders.h"
#include "files/HabitFile.h"
#include "files/OptionsFile.h"
#include "game/DataFiles.h"
#include "game/NetMessage.h"
#include "scene/engine/DriverWarmUp.h"
#include "scene/engine/FrameClock.h"
#include "scene/engine/SceneView.h"
#include "ui/LobbyWindow.h"
#include "ui/MessageWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ScoresWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinPalette.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QWindow>

namespace vtx {

void MainWindow::setWindows(MessageWindow* messageWindow, OptionsWindow* opt, ScoresWindow* score) {
    m_parts.messageWindow = messageWindow;
    m_parts.options = opt;
    m_parts.scores = score;
    // The small windows grow with the main window.
    for (SkinnedWindow* w : std::initializer_list<SkinnedWindow*>{messageWindow, opt, score})
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
    m_viewTexts.resetCreationState();
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
    // Level 1 and no LAN match need nothing here: a new Match starts so.
    // 8. The logo's colour.
    m_world.setLogoColor();
    // 10. Centred on the screen; 11. the outline.
    centerOnScreen();
    setOutline(mainOutline());
    setDragArea(10, 10, 470, 28);
    rebuildWindowRgn();
    onScaled = [this](double factor) { view->hudScale = float(factor); };
    enableScaling();
    // A window wider than the panel's shape (a full screen, a maximised
    // window) gives the extra width to the 3D view; the menu column keeps
    // its proportions at the right edge.
    setStretchColumn(view->x(), view->x() + view->width());
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
        // No device is no reason to stop: the game plays silent and says so
        // over the menu once it shows, never in a box that holds the start.
        m_soundFailed = true;
        m_match.setSoundOn(false);
    }
    m_sound->setSoundOn(m_match.state().soundOn);
    // startDir is the player's folder (options, scores, LAN clients); the
    // sounds, songs and scenery come from the data root. Both are the current
    // directory unless the game runs installed (files/GameFolders.h).
    m_parts.startDir = userRoot();
    // The Admiral's memory of this player; a file that is no habit of ours
    // was written anew as an empty one (a failure there is tried again at
    // the next save, which tells the player).
    m_match.setPlayerHabit(loadHabit(m_parts.startDir).habit);
    const QString dataDir = QString::fromStdString(dataRoot().string());
    m_sound->loadEffects(dataDir);
    m_music = std::make_unique<MusicPlayer>(dataDir);
    // A song fails at a match's start, in the middle of the rules: told without a wait.
    // Once a run: without a device every song fails the same way.
    m_music->setMessageBox([this](const QString&, const QString& text) {
        if (m_musicFailed) return;
        m_musicFailed = true;
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
    if (m_soundFailed) {
        m_soundFailed = false;
        // After the first frame's event: the notice stands over the menu.
        QTimer::singleShot(0, this, [this] {
            if (!m_ending) m_parts.showNotice(50, SoundSystem::initFailedText());
        });
    }
}

void MainWindow::closing() {
    // A match still running is kept as it stands.
    m_keeper.windowClosing();
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
        for (QWidget* w : {static_cast<QWidget*>(m_parts.messageWindow),
                           static_cast<QWidget*>(m_parts.options), static_cast<QWidget*>(m_parts.scores)})
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

void MainWindow::terminationRequested() {
    if (m_ending) return;
    m_ending = true;
    // No message on a failed store: nobody may be left to answer it.
    if (m_music) saveSong(m_parts.startDir, m_music->songIndex() + 1);
    close();
}

} // namespace vtx
