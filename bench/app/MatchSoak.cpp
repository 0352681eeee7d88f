// Plays many matches against the computer in one process through the real
// main window and its windows, and prints what a long session leaves behind:
// the resident memory and the number of live GL objects of the viewer.
//
//   match_soak [--matches N] [--check] [--gl-every N] [--level N]
//
// The matches take turns: automatic and manual arrangement, won and lost, and
// the four levels of the options window (Easy, Normal, Hard, Admiral), or
// only the level index that --level names (0..3).
// The computer's turn timer runs at 1 ms and the player's shots go straight
// to the match, so a match takes a fraction of a second. Modal windows (the
// arrangement message, the score window) are answered at once.
//
// --check makes it a test: exit status 1 when the GL objects after the
// warm-up and at the end differ, or when the resident memory grew by 5 MiB or
// more from the warm-up (match 50, or a fifth of a shorter run) to the end.
//
// Runs in a private copy of the build's runtime folder; needs a display
// (xvfb-run -a -s "-screen 0 1280x1024x24 -noreset").

#include "app/Application.h"
#include "app/MainWindow.h"
#include "scene/World.h"
#include "scene/engine/FrameClock.h"
#include "scene/engine/SceneView.h"
#include "scene/engine/SurfaceFormat.h"
#include "tests/support/MatchSetup.h"
#include "ui/MessageWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ScoresWindow.h"
#include "ui/SkinCheckBox.h"
#include "ui/SkinComboBox.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace vtx;

namespace {

bool copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

// Resident memory in KiB.
long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// GL objects a sample may differ by without anything being left behind.
constexpr int kGlNoise = 8;

struct GlObjects {
    int textures = 0, buffers = 0, vertexArrays = 0, programs = 0, framebuffers = 0;
    int total() const { return textures + buffers + vertexArrays + programs + framebuffers; }
    bool operator==(const GlObjects&) const = default;
};

// Live objects of the viewer's context, found by asking the driver about
// every name up to a bound far above what the game uses (names are handed
// out from the lowest free one).
GlObjects countGlNames(SceneView& viewer) {
    constexpr GLuint kNames = 1u << 16;
    GlObjects n;
    viewer.makeCurrent();
    QOpenGLExtraFunctions* gl = QOpenGLContext::currentContext()->extraFunctions();
    for (GLuint name = 1; name < kNames; ++name) {
        n.textures += gl->glIsTexture(name) ? 1 : 0;
        n.buffers += gl->glIsBuffer(name) ? 1 : 0;
        n.vertexArrays += gl->glIsVertexArray(name) ? 1 : 0;
        n.programs += gl->glIsProgram(name) ? 1 : 0;
        n.framebuffers += gl->glIsFramebuffer(name) ? 1 : 0;
    }
    viewer.doneCurrent();
    return n;
}

void drawFrame(MainWindow& window) {
    window.view->drawNow();
}

// The world in one state and pose (the boards cleared as the next Single
// clears them, so no fire of the last match burns; the camera where it
// started, the idle spin at 0), drawn long enough for the renderer to drop
// every GPU copy nothing uses any more; then the live objects are comparable
// from one sample to the next and what grows is left behind.
struct Pose {
    glm::vec3 camera{}, rig{};
};
GlObjects countGlObjects(MainWindow& window, const Pose& pose) {
    World& w = window.world();
    window.tickTimer.stop();
    window.matchHost().resetBoards();
    w.worldRoot->setTurnAngle(0.0f);
    w.sky->setRollAngle(0.0f);
    w.camera->position = pose.camera;
    w.cameraRig->position = pose.rig;
    for (int i = 0; i < 420; ++i)
        drawFrame(window);
    const GlObjects n = countGlNames(*window.view);
    window.tickTimer.start();
    return n;
}

// What continual drawing makes resident before any match (every frame of the
// sea's animation, the GPU copies that come with the ticks of the scroll
// timer), so that later samples show only what matches leave behind.
void warmUpRenderer(MainWindow& window) {
    for (int i = 0; i < 480; ++i) {
        window.tickTimerFired();
        drawFrame(window);
        QCoreApplication::processEvents();
    }
}

void pumpFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

bool pumpUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Closes a modal window of the game as soon as it shows, as a quick player would.
class Answerer : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, window, [window] { window->close(); });
        }
        return false;
    }
};

// One match; false when it did not end as planned.
bool playMatch(MainWindow& window, OptionsWindow& opt, bool manual, bool win, int level) {
    MatchState& s = test::setUp(window.match());
    opt.manualBox->setChecked(manual);
    opt.levelBox->setCurrentIndex(level);
    // Every manual match places the same fleet: a habit of it would show the
    // Admiral every ship, and a match planned as won could end before the
    // player's first turn. Each match starts without a habit (and leaves one).
    window.match().setPlayerHabit(PlayerHabit{});
    window.singleClicked();
    if (!pumpUntil([&] { return !window.match().nextWakeMs(); }, 5000)) return false; // Single's wait
    drawFrame(window);
    if (manual) {
        const int layout[10][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                                   {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
        for (const auto& ship : layout) {
            s.pickedRow = ship[0];
            s.pickedColumn = ship[1];
            s.pickedBoard = OwnBoard;
            s.placeHorizontal = ship[2] == 1;
            if (!window.match().placeShipAt()) return false;
        }
        // The message at the end of the arrangement, answered.
        if (!pumpUntil([&] { return s.button(MenuButton::Fight).enabled; }, 5000)) return false;
    }
    if (!s.gameInProgress || s.arranging) return false;
    s.turnTimerIntervalMs = 1; // the computer at full speed
    window.fightClicked();
    if (!s.fightStarted) return false;
    drawFrame(window);
    std::vector<int> targets;
    for (int n = 1; n <= 100; ++n)
        if ((s.enemyField[std::size_t(n - 1)] == CellDeck) == win) targets.push_back(n);
    std::size_t next = 0;
    while (s.gameInProgress) {
        if (!pumpUntil([&] { return s.playerTurn == 1 || !s.gameInProgress; }, 60000)) return false;
        if (!s.gameInProgress) break;
        if (next >= targets.size()) return false;
        const int n = targets[next++];
        if (!window.match().playerShootAt(cellNumberRow(n), cellNumberColumn(n))) return false;
    }
    pumpFor(20); // the modal windows answered
    drawFrame(window);
    return win ? s.gameWon : (s.gameLost && !s.gameWon);
}

} // namespace

int main(int argc, char** argv) {
    int matches = 1000;
    bool check = false;
    int glEvery = 250; // matches between GL samples (each draws 420 frames)
    int onlyLevel = -1; // -1: the levels take turns
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--matches") && i + 1 < argc)
            matches = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--gl-every") && i + 1 < argc)
            glEvery = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--check"))
            check = true;
        else if (!std::strcmp(argv[i], "--level") && i + 1 < argc)
            onlyLevel = std::clamp(std::atoi(argv[++i]), 0, LevelCount - 1);
    }
    setDefaultSurfaceFormat();
    qputenv("SDL_AUDIODRIVER", qgetenv("SDL_AUDIODRIVER").isEmpty() ? "dummy" : qgetenv("SDL_AUDIODRIVER"));
    Application app(argc, argv);
    Application::setErrorReporter(
        [](const QString& text) { std::fprintf(stderr, "error box: %s\n", text.toLocal8Bit().constData()); });

    QTemporaryDir dir;
    for (const char* folder : {"DATA", "data", "sounds", "Music"})
        if (!copyTree(QStringLiteral(VTX_RUN_DIR "/") + QLatin1String(folder),
                      dir.path() + QLatin1Char('/') + QLatin1String(folder))) {
            std::fprintf(stderr, "match_soak: cannot copy the runtime folder %s\n", VTX_RUN_DIR);
            return 2;
        }
    QDir::setCurrent(dir.path());

    auto window = std::make_unique<MainWindow>();
    if (!window->startupError().isEmpty()) {
        std::fprintf(stderr, "match_soak: %s\n", window->startupError().toLocal8Bit().constData());
        return 2;
    }
    window->quitOnClose = false;
    MessageWindow messageWindow(window.get());
    ScoresWindow scoresWindow(&window->scoreHost(), window.get());
    OptionsWindow optionsWindow(&window->optionsHost(), window.get());
    window->setWindows(&messageWindow, &optionsWindow, &scoresWindow);
    Answerer answerer;
    messageWindow.installEventFilter(&answerer);
    scoresWindow.installEventFilter(&answerer);
    window->show();
    pumpFor(500);
    // Frames are drawn at the steps of each match, not continually: the
    // run is about what stays behind, and llvmpipe's frames would dominate.
    window->frameClock->setEnabled(false);
    const Pose pose{window->world().camera->position, window->world().cameraRig->position};
    warmUpRenderer(*window);

    const int warmUp = std::min(50, std::max(1, matches / 2));
    const int lastSample = matches;
    long rssWarm = 0, rssMax = 0;
    GlObjects glWarm, glEnd;
    QElapsedTimer clock;
    clock.start();
    std::printf("%8s %10s %8s %10s\n", "match", "rss KiB", "seconds", "GL objects");
    for (int i = 1; i <= matches; ++i) {
        if (!window->isVisible()) { // SIGTERM or Ctrl+C closed the window
            std::fprintf(stderr, "match_soak: ended after %d matches\n", i - 1);
            return 1;
        }
        const bool manual = i % 2 == 0;
        const bool win = (i / 2) % 2 == 0;
        const int level = onlyLevel >= 0 ? onlyLevel : (i / 4) % LevelCount;
        if (!playMatch(*window, optionsWindow, manual, win, level)) {
            std::fprintf(stderr, "match_soak: match %d (%s, %s, level %d) did not end as planned\n", i,
                         manual ? "manual" : "automatic", win ? "won" : "lost", level);
            return 1;
        }
        const long rss = residentKiB();
        rssMax = std::max(rssMax, rss);
        if (i == warmUp) rssWarm = rss;
        if (i == warmUp || i == lastSample || (i % glEvery == 0 && i > warmUp)) {
            const GlObjects n = countGlObjects(*window, pose);
            if (i == warmUp) glWarm = n;
            if (i == lastSample) glEnd = n;
            std::printf("%8d %10ld %8.1f %10d  (%d textures, %d buffers, %d vertex arrays)\n", i, rss,
                        double(clock.elapsed()) / 1000.0, n.total(), n.textures, n.buffers, n.vertexArrays);
        } else if (i % 50 == 0) {
            std::printf("%8d %10ld %8.1f\n", i, rss, double(clock.elapsed()) / 1000.0);
        }
        std::fflush(stdout);
    }
    const long rssEnd = residentKiB();
    const long growth = rssEnd - rssWarm;
    std::printf("\n%d matches in %.1f s (automatic and manual, won and lost, %s)\n", matches,
                double(clock.elapsed()) / 1000.0, onlyLevel >= 0 ? "one level" : "every level");
    std::printf("resident memory: %ld KiB after match %d, %ld KiB at the end, growth %+ld KiB (%.2f MiB), "
                "peak %ld KiB\n",
                rssWarm, warmUp, rssEnd, growth, double(growth) / 1024.0, rssMax);
    std::printf("GL objects after match %d: %d textures, %d buffers, %d vertex arrays, %d programs, "
                "%d framebuffers\n",
                warmUp, glWarm.textures, glWarm.buffers, glWarm.vertexArrays, glWarm.programs,
                glWarm.framebuffers);
    std::printf("GL objects after match %d: %d textures, %d buffers, %d vertex arrays, %d programs, "
                "%d framebuffers\n",
                lastSample, glEnd.textures, glEnd.buffers, glEnd.vertexArrays, glEnd.programs,
                glEnd.framebuffers);
    window->close();
    // A few GPU copies come and go with what the last frames showed (seen:
    // one sample in several with two more meshes' worth); what matches leave
    // behind grows with their number, at least one object a match here.
    const bool objectsLeft = glEnd.total() - glWarm.total() > kGlNoise;
    if (check && (objectsLeft || growth >= 5 * 1024)) {
        std::fprintf(stderr, "match_soak: %s\n",
                     objectsLeft ? "GL objects were left behind" : "resident memory grew by 5 MiB or more");
        return 1;
    }
    return 0;
}
