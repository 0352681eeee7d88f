// Renders the game's world after a scripted battle (twenty burning cells, sunk
// ships shown, the other ships rocking, the idle spin turning the world)
// offscreen at the viewer's 616 x 547 pixels and prints frame times.
//
//   scene_bench [--frames N] [--shot FILE.png]
//
// Reads the generated data from the build's runtime folder. Run under a
// display, e.g. xvfb-run -a.

#include "scene/engine/AllocatorTuning.h"
#include "scene/engine/FramePacer.h"
#include "scene/engine/SurfaceFormat.h"
#include "scene/engine/TGLOffscreenRenderer.h"
#include "tests/scene/ScriptedBattle.h"

#include <QDir>
#include <QGuiApplication>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace vtx;

namespace {

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    int frames = 300;
    std::string shot;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) frames = std::max(10, std::atoi(argv[++i]));
        if (!std::strcmp(argv[i], "--shot") && i + 1 < argc) shot = argv[++i];
    }
    keepFrameAllocations(); // as the game does
    setDefaultSurfaceFormat();
    QGuiApplication app(argc, argv);
    if (!QDir::setCurrent(QStringLiteral(VTX_BINARY_DIR "/run"))) {
        std::fprintf(stderr, "no runtime folder\n");
        return 1;
    }

    const auto buildStart = std::chrono::steady_clock::now();
    test::ScriptedBattle battle;
    try {
        battle.buildWorld(QDir::tempPath().toStdString());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const double buildMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - buildStart).count();
    battle.playBattle();
    World& world = battle.world;

    TGLOffscreenRenderer renderer(616, 547);
    const auto tick = [&] { battle.tick(); };
    const auto firstStart = std::chrono::steady_clock::now();
    renderer.renderFrame(world.Scene, world.GLCamera1);
    const double firstMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - firstStart).count();
    for (int i = 0; i < 20; ++i) {
        tick();
        renderer.renderFrame(world.Scene, world.GLCamera1);
    }

    std::vector<double> times;
    times.reserve(std::size_t(frames));
    const double cpuStart = processCpuMs();
    for (int i = 0; i < frames; ++i) {
        tick();
        const auto t0 = std::chrono::steady_clock::now();
        renderer.renderFrame(world.Scene, world.GLCamera1);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    const double cpuPerFrame = (processCpuMs() - cpuStart) / double(frames);
    if (!shot.empty()) renderer.render(world.Scene, world.GLCamera1).save(QString::fromStdString(shot));
    const RenderStats stats = renderer.lastFrameStats();

    // The frames the game's viewer draws of this battle in one second of 60
    // cadencer ticks: everything but the camera is paced.
    FramePacer pacer;
    int pacedFrames = 0;
    for (int i = 0; i < 60; ++i) {
        tick();
        if (pacer.frameDue(pictureSignatures(world.Scene, world.GLCamera1), battle.cadencer.CurrentTime()))
            ++pacedFrames;
    }

    // A sinking in the running battle: enemy ship 4 has been hidden through
    // every frame so far; it is shown with the sunk texture and drawn at once.
    tick();
    const auto sinkStart = std::chrono::steady_clock::now();
    battle.boards.ShowSunkShip(EnemyBoard, 4);
    renderer.renderFrame(world.Scene, world.GLCamera1);
    const double sinkMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sinkStart).count();

    // The floor: a bare view of the same size through the same camera, only
    // the clear and the sea. llvmpipe's speed follows the machine's CPU, so
    // the battle frame is judged by its ratio to this one.
    const std::function<void(TGLBaseSceneObject&)> bare = [&](TGLBaseSceneObject& node) {
        for (int i = 0; i < node.Count(); ++i) {
            TGLBaseSceneObject& child = *node.Children(i);
            const bool seaPath = &child == world.WorldRoot || &child == world.NonReflecting ||
                                 &child == world.Plane1 || &child == world.Camera ||
                                 &child == world.GLCamera1;
            if (!seaPath) child.Visible = false;
            bare(child);
        }
    };
    bare(world.Scene.Objects());
    for (int i = 0; i < 20; ++i) {
        tick();
        renderer.renderFrame(world.Scene, world.GLCamera1);
    }
    std::vector<double> floorTimes;
    floorTimes.reserve(std::size_t(frames));
    for (int i = 0; i < frames; ++i) {
        tick();
        const auto t0 = std::chrono::steady_clock::now();
        renderer.renderFrame(world.Scene, world.GLCamera1);
        floorTimes.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    const double floorMedian = percentile(floorTimes, 0.5);

    const double median = percentile(times, 0.5);
    std::printf("scene_bench: world of the game after a battle, %d x %d, %d frames\n", 616, 547, frames);
    std::printf("  world build (both stages): %.1f ms\n", buildMs);
    std::printf("  first frame: %.1f ms\n", firstMs);
    std::printf("  frame time median %.2f ms, p95 %.2f ms -> %.1f fps median\n", median,
                percentile(times, 0.95), 1000.0 / median);
    // The work of a frame whatever else the machine runs: every thread's CPU time (the software
    // rasteriser draws on several), divided by the frames.
    std::printf("  CPU time per frame, all threads: %.2f ms\n", cpuPerFrame);
    std::printf("  frames drawn per second of battle (60 ticks): %d paced -> about %.0f ms of CPU a second "
                "(%.0f ms at every tick)\n",
                pacedFrames, pacedFrames * cpuPerFrame, 60 * cpuPerFrame);
    std::printf("  burning cells %d, draw calls %d, triangles %lld, terrain tiles %d, particles %d\n",
                battle.burning, stats.drawCalls, stats.triangles, stats.terrainTiles, stats.particles);
    std::printf("  frame at a sinking (sunk texture and the hidden model shown): %.2f ms, %.1f x median\n",
                sinkMs, sinkMs / median);
    std::printf("  floor frame (clear and the sea only, same size and camera): median %.2f ms\n",
                floorMedian);
    std::printf("  battle frame / floor frame: %.2f\n", median / floorMedian);
    return 0;
}
