// Renders the game's world after a scripted battle (twenty burning cells, sunk
// ships shown, the other ships rocking, the idle spin turning the world)
// offscreen at the viewer's 616 x 547 pixels and prints frame times.
//
//   scene_bench [--frames N] [--shot FILE.png]
//
// Reads the generated data from the build's runtime folder. Run under a
// display, e.g. xvfb-run -a.

#include "game/Match.h"
#include "game/NullMatchHost.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/World.h"
#include "scene/engine/SurfaceFormat.h"
#include "scene/engine/TGLCadencer.h"
#include "scene/engine/TGLOffscreenRenderer.h"

#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace vtx;

namespace {

// The clock the world sees advances one 60 Hz frame per rendered frame; the
// time of day moves on at every reading, as the random arrangement needs
// (it re-seeds from it before every attempt).
class FrameClock final : public IClock {
public:
    std::int64_t now = 0;
    std::int64_t seeds = 0;
    std::int64_t timeOfDayMs() override { return 12 * 3600 * 1000 + ++seeds; }
    std::int64_t tickMs() override { return now; }
};

// The bench drives the boards itself; the match only arranges the fleets.
class QuietHost final : public NullMatchHost {
public:
    QuietHost() { difficulty = -1; }
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char** argv) {
    int frames = 300;
    std::string shot;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) frames = std::max(10, std::atoi(argv[++i]));
        if (!std::strcmp(argv[i], "--shot") && i + 1 < argc) shot = argv[++i];
    }
    setDefaultSurfaceFormat();
    QGuiApplication app(argc, argv);
    if (!QDir::setCurrent(QStringLiteral(VTX_BINARY_DIR "/run"))) {
        std::fprintf(stderr, "no runtime folder\n");
        return 1;
    }

    const auto buildStart = std::chrono::steady_clock::now();
    FrameClock clock;
    QuietHost host;
    Match match(host, clock);
    World world;
    Boards boards(world, match.state());
    CameraFx fx(world, boards, match, clock);
    fx.randomBelow = [&](int n) { return int(match.random().Random(n)); };
    try {
        world.LoadFonts();
        world.SetLogoColor();
        world.BuildScenery(QDir::tempPath().toStdString());
        world.BuildActivationStage(boards);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const double buildMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - buildStart).count();

    // The battle: both fleets arranged, ten decks hit on each board, the
    // enemy's first three ships sunk.
    MatchState& s = match.state();
    match.Place_Ships();
    boards.PositionOwnShipModels();
    boards.PositionEnemyShipModels();
    boards.HideShipModels(false);
    boards.AnimateShipModels({}, [&](int n) { return int(match.random().Random(n)); }, {});
    int fires = 0;
    for (int board : {OwnBoard, EnemyBoard}) {
        const TFleet& fleet = board == OwnBoard ? s.OwnFleet : s.EnemyFleet;
        for (int n = 1; n <= 10 && fires < (board == OwnBoard ? 10 : 20); ++n)
            for (int k = 1; k <= MaxDecks && fires < (board == OwnBoard ? 10 : 20); ++k)
                if (const auto deck = deckAt(fleet[std::size_t(n - 1)], k)) {
                    boards.MarkShot(board, deck->row, deck->column, true);
                    ++fires;
                }
    }
    for (int n = 1; n <= 3; ++n)
        boards.ShowSunkShip(EnemyBoard, n);
    s.IdleSpin = true;
    world.HUDText1->Text = "YOU WON THE GAME!";
    world.HUDText1->Visible = true;
    s.GameWon = true;

    TGLOffscreenRenderer renderer(616, 547);
    TGLCadencer cadencer;
    cadencer.Scene = &world.Scene;

    const double dt = 1.0 / 60.0;
    auto tick = [&](int i) {
        clock.now += 16;
        cadencer.progress(dt);
        if (i % 6 == 0) fx.timerScrollTimer(); // the 100 ms timer
    };
    const auto firstStart = std::chrono::steady_clock::now();
    renderer.renderFrame(world.Scene, world.GLCamera1);
    const double firstMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - firstStart).count();
    for (int i = 0; i < 20; ++i) {
        tick(i);
        renderer.renderFrame(world.Scene, world.GLCamera1);
    }

    std::vector<double> times;
    times.reserve(std::size_t(frames));
    for (int i = 0; i < frames; ++i) {
        tick(i);
        const auto t0 = std::chrono::steady_clock::now();
        renderer.renderFrame(world.Scene, world.GLCamera1);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    if (!shot.empty()) renderer.render(world.Scene, world.GLCamera1).save(QString::fromStdString(shot));

    const double median = percentile(times, 0.5);
    const RenderStats stats = renderer.lastFrameStats();
    std::printf("scene_bench: world of the game after a battle, %d x %d, %d frames\n", 616, 547, frames);
    std::printf("  world build (both stages): %.1f ms\n", buildMs);
    std::printf("  first frame: %.1f ms\n", firstMs);
    std::printf("  frame time median %.2f ms, p95 %.2f ms -> %.1f fps median\n", median,
                percentile(times, 0.95), 1000.0 / median);
    std::printf("  burning cells %d, draw calls %d, terrain tiles %d, particles %d\n", fires, stats.drawCalls,
                stats.terrainTiles, stats.particles);
    return 0;
}
