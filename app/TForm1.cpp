#include "app/TForm1.h"

#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeControl.h"
#include "scene/engine/TGLCadencer.h"
#include "scene/engine/TGLSceneViewer.h"
#include "ui/SkinFont.h"
#include "ui/SkinPalette.h"
#include "ui/TBitCheckBox.h"
#include "ui/TFlatEdit.h"
#include "ui/TFormMess.h"
#include "ui/TFormOpt.h"
#include "ui/TFormScore.h"
#include "ui/TWispButton.h"
#include "ui/TWispComboBox.h"
#include "ui/format/DataPath.h"
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
#include <QMessageBox>
#include <QNetworkInterface>
#include <QOpenGLContext>
#include <QProgressBar>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace vtx {

namespace {

// Game file names ("DATA\\ship2.jpg") under the directory current at the time
// of the load, names matched without regard to case.
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
    if (button == Qt::RightButton) return MouseButton::Right;
    if (button == Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::Left;
}

} // namespace

QString findLocalIP() {
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}

TForm1::TForm1(QWidget* parent)
    : TSkinnedForm(parent), m_world(resolveGameFile), m_match(*this, m_clock),
      m_boards(m_world, m_match.state()), m_fx(m_world, m_boards, m_match, m_clock) {
    setWindowTitle(QStringLiteral("Vortalix 3D"));
    resize(ClientWidth, ClientHeight);
    setFixedSize(ClientWidth, ClientHeight);
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
        if (button->XOffset() + QFontMetrics(captionFont).horizontalAdvance(button->Text()) <=
            button->width() - 4)
            break;
    }
    button->SetCaptionFont(captionFont);
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
    connect(GLSceneViewer1, &QOpenGLWidget::frameSwapped, this, &TForm1::announceFirstFrame);

    Label2 = new QLabel(this);
    Label2->setGeometry(213, 15, 260, 14);
    QFont labelFont = Label2->font();
    labelFont.setPixelSize(11);
    labelFont.setBold(true);
    Label2->setFont(labelFont);
    Label2->setStyleSheet(QStringLiteral("color: silver; background: transparent;"));

    elbtSingleGame = makeButton(288, QStringLiteral("Single"), 22, 7);
    elbtNetGame = makeButton(328, QStringLiteral("Network"), 18, 7);
    elbtFight = makeButton(368, QStringLiteral("  Fight"), 18, 7);
    elbtOptions = makeButton(408, QStringLiteral("Options"), 20, 7);
    elbtHighScores = makeButton(448, QStringLiteral("Scores"), 20, 7);
    elbtExit = makeButton(488, QStringLiteral("  Exit"), 20, 7);
    connect(elbtSingleGame, &TWispButton::clicked, this, &TForm1::elbtSingleGameClick);
    connect(elbtNetGame, &TWispButton::clicked, this, &TForm1::elbtNetGameClick);
    connect(elbtFight, &TWispButton::clicked, this, &TForm1::elbtFightClick);
    connect(elbtOptions, &TWispButton::clicked, this, &TForm1::elbtOptionsClick);
    connect(elbtHighScores, &TWispButton::clicked, this, &TForm1::elbtHighScoresClick);
    connect(elbtExit, &TWispButton::clicked, this, &TForm1::elbtExitClick);

    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(m_match.state().Timer1Interval);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    timerScroll.setInterval(100);
    connect(&timerScroll, &QTimer::timeout, this, &TForm1::timerScrollTimer);

    GLCadencer1 = new TGLCadencer(this);
    GLCadencer1->Scene = &m_world.Scene;
    GLCadencer1->OnProgress = [this](double dt, double t) { GLCadencer1Progress(dt, t); };

    m_fx.pick = [this](int x, int y) { return GLSceneViewer1->PickObject(x, y); };
    m_fx.rightButtonHeld = [] { return QGuiApplication::mouseButtons().testFlag(Qt::RightButton); };
    m_fx.cursorOffsetY = [this] { return QCursor::pos().y() - y(); };
    m_fx.randomBelow = [this](int n) { return int(m_match.random().Random(n)); };

    // Key preview: the window sees every key press before its controls.
    qApp->installEventFilter(this);
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
    m_startDir = std::filesystem::current_path();
    const QString startDir = QString::fromStdString(m_startDir.string());
    m_sound->loadEffects(startDir);
    m_music = std::make_unique<MusicPlayer>(startDir);
    m_music->setMessageBox(
        [](const QString& title, const QString& text) { QMessageBox::information(nullptr, title, text); });
    m_volume = std::make_unique<VolumeControl>(m_sound->waveOutput(), m_sound->midiOutput());
    // 13. The local address.
    m_localIP = findLocalIP();
    // 14. Fight disabled: the menu state.
    pushMenuState();
    // 15. The static scenery.
    runStartupStep([this] { m_world.BuildScenery(m_startDir); });
}

void TForm1::pushMenuState() {
    const MatchState& s = m_match.state();
    for (MenuButton b : {MenuButton::Single, MenuButton::Network, MenuButton::Fight, MenuButton::Options,
                         MenuButton::Scores})
        SetButton(b, s.button(b).enabled, s.button(b).whiteFont);
    SetTimer1(s.Timer1Enabled, s.Timer1Interval);
}

void TForm1::FormActivate() {
    if (!m_startupError.isEmpty() || m_startupAborted) return;
    // 1. Playlist.
    if (m_music) m_music->FormActivate();
    // 2. Volumes from the options window's bars: MIDI, then wave.
    if (m_volume && m_formOpt)
        m_volume->apply(m_formOpt->ProgressBar1->value(), m_formOpt->ProgressBar2->value());
    // 3. Idle start.
    m_fx.RecordIdleStart();
    // 4. The turn timer.
    m_match.ActivateTurnTimer();
    // 5. Ship models and cell planes, once.
    runStartupStep([this] { m_world.BuildActivationStage(m_boards); });
    if (!m_startupError.isEmpty()) return;
    timerScroll.start();
    GLCadencer1->setEnabled(true);
}

void TForm1::FormClose() {
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
    if (m_localIP == QStringLiteral("127.0.0.1") || !lobbyAvailable()) {
        ShowFormMess(60, "NetWork is unavailable on Your PC!", true);
        return;
    }
    m_match.SetMenuButton(MenuButton::Single, false, false);
    showLobbyModal();
}

// The lobby window joins the program with LAN play; until then there is no
// lobby to open and the menu reports the network as unavailable.
bool TForm1::lobbyAvailable() const {
    return false;
}
void TForm1::showLobbyModal() {}

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
    m_match.Timer1Timer();
}

void TForm1::timerScrollTimer() {
    m_fx.timerScrollTimer();
}

// Redraws when the picture can have changed (the sea's next frame, a moving
// ship, live flames, the camera): an untouched menu then costs ten frames a
// second instead of one per tick.
void TForm1::GLCadencer1Progress(double, double) {
    GLSceneViewer1->InvalidateIfChanged();
}

void TForm1::GLSceneViewer1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                     int y) {
    if (!m_world.ActivationStageBuilt()) return;
    m_fx.GLSceneViewer1MouseMove(buttons != Qt::NoButton || modifiers != Qt::NoModifier, x, y);
}

void TForm1::GLSceneViewer1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (!m_world.ActivationStageBuilt()) return;
    m_fx.GLSceneViewer1MouseDown(gameButton(button), x, y);
}

void TForm1::FormKeyDown(int) {
    if (m_spaceHeld) m_match.SpaceToggle();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
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
        } else if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
            m_spaceHeld = false;
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
}
void TForm1::ShowLossMessage() {
    m_fx.ShowLossMessage();
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

void TForm1::PlaySound(Sound sound) {
    if (m_sound && m_match.state().SoundOn) m_sound->request(effectOf(sound));
}

void TForm1::SetStatus(std::string_view text) {
    Label2->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
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
    const QString message = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (m_formMess)
        m_formMess->ShowFormMess(top, message, modal);
    else
        vtx::ShowFormMess(top, message, modal);
}

void TForm1::ShowScoreWindowModal() {
    if (m_formScore) m_formScore->ExecModal();
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
std::int32_t TForm1::readVortalixDifficulty() {
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

// LAN play joins the program later; until then a match never sends.
void TForm1::SendShot(std::int32_t, std::int32_t) {}
void TForm1::SendLeave() {}
void TForm1::SendFleet() {}

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
