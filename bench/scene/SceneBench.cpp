// Renders the game's world after a scripted battle (twenty burning cells, sunk
// ships shown, the other ships rocking, the idle spin turning the world)
// offscreen and prints frame times, at the viewer's 616 x 547 pixels and at
// the largest view (the window made as large as a 1280 x 1024 screen allows,
// F11's full screen: 1051 x 926 pixels, its texts scaled with it).
//
//   scene_bench [--frames N] [--shot FILE.png] [--large-shot FILE.png]
//
// For each size: the battle frame's median and p95 (the logo hidden, as in a match); what each group of
// objects costs, measured as the frame with the group left out, all variants
// taking turns a few frames each so that the machine's other load falls on
// all alike; the floor frame (the clear and the sea only) and the battle
// frame's ratio to it, a figure that does not follow the machine's CPU as the
// milliseconds do. Then how many frames the viewer's pacing draws of a second of this battle.
//
// Reads the generated data from the build's runtime folder. Run under a
// display, e.g. xvfb-run -a.

#include "scene/engine/AllocatorTuning.h"
#include "scene/engine/FramePacer.h"
#include "scene/engine/OffscreenRenderer.h"
#include "scene/engine/SurfaceFormat.h"
#include "tests/scene/ScriptedBattle.h"

#include <QDir>
#include <QGuiApplication>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
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

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// What the frame is drawn without: leave() hides a group, the state before it comes back at the
// variant's end (visibility and fire effects of every object).
struct Variant {
    const char* name;
    std::function<void()> leave;
};

class SceneState {
public:
    explicit SceneState(Scene& scene) : m_scene(scene) {}
    void save() {
        m_visible.clear();
        m_effects.clear();
        walk(m_scene.objects(), [this](SceneObject& o) {
            m_visible[&o] = o.visible;
            m_effects[&o] = o.effects;
        });
    }
    void restore() {
        walk(m_scene.objects(), [this](SceneObject& o) {
            o.visible = m_visible[&o];
            o.effects = m_effects[&o];
        });
    }
    static void walk(SceneObject& node, const std::function<void(SceneObject&)>& f) {
        for (int i = 0; i < node.count(); ++i) {
            f(*node.children(i));
            walk(*node.children(i), f);
        }
    }

private:
    Scene& m_scene;
    std::map<SceneObject*, bool> m_visible;
    std::map<SceneObject*, EffectList> m_effects;
};

struct SizeResult {
    double median = 0, p95 = 0, cpuPerFrame = 0, firstMs = 0;
    RenderStats stats;
};

} // namespace

int main(int argc, char** argv) {
    int frames = 300;
    std::string shot, largeShot;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) frames = std::max(10, std::atoi(argv[++i]));
        if (!std::strcmp(argv[i], "--shot") && i + 1 < argc) shot = argv[++i];
        if (!std::strcmp(argv[i], "--large-shot") && i + 1 < argc) largeShot = argv[++i];
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
    const double buildMs = msSince(buildStart);
    battle.playBattle();
    World& world = battle.world;
    // A match hides the logo when it starts, and it stays hidden over the battle: the frame measured is the
    // one a player sees. The variant that shows it gives what the logo costs the menu.
    world.logo->visible = false;
    const auto tick = [&] { battle.tick(); };
    std::printf("scene_bench: world of the game after a battle, %d frames a figure\n", frames);
    std::printf("  world build (both stages): %.1f ms\n", buildMs);

    SceneState state(world.scene);
    const auto hide = [](std::initializer_list<SceneObject*> objects) {
        for (SceneObject* o : objects)
            if (o) o->visible = false;
    };
    const std::vector<Variant> variants = {
        {"battle (everything)", [] {}},
        {"without the sea", [&] { hide({world.sea}); }},
        {"without the boards and marks",
         [&] {
             for (int i = 0; i < world.nonReflecting->count(); ++i)
                 if (world.nonReflecting->children(i) != world.sea)
                     world.nonReflecting->children(i)->visible = false;
         }},
        {"without the ships",
         [&] {
             for (AnimatedModel* ship : world.ownShipModels)
                 hide({ship});
             for (AnimatedModel* ship : world.enemyShipModels)
                 hide({ship});
         }},
        {"without fires and particles",
         [&] { SceneState::walk(world.scene.objects(), [](SceneObject& o) { o.effects = {}; }); }},
        {"without the island, trees, sky, sun and terrain",
         [&] {
             hide({world.island, world.trees[0], world.trees[1], world.sky, world.terrain});
         }},
        {"without the HUD texts",
         [&] {
             hide({world.resultText, world.logo});
         }},
        {"with the menu's logo over it", [&] { world.logo->visible = true; }},
        {"floor (the clear and the sea only)",
         [&] {
             SceneState::walk(world.scene.objects(), [&](SceneObject& o) {
                 const bool seaPath = &o == world.worldRoot || &o == world.nonReflecting || &o == world.sea ||
                                      &o == world.cameraRig || &o == world.camera;
                 if (!seaPath) o.visible = false;
             });
         }},
        {"the clear only",
         [&] {
             hide({world.worldRoot, world.resultText, world.logo});
         }},
    };

    // The view as F11 makes it on a 1280 x 1024 screen: the 751 x 605 window
    // scaled by 1024 / 605, the view taking the width left beside the panel.
    const double largest = 1024.0 / 605.0;
    const int fullScreenExtra = int(std::floor(1280 - 751 * largest));
    struct Size {
        int width, height;
        float hudScale;
        std::string shot;
    };
    const Size sizes[] = {
        {616, 547, 1.0f, shot},
        {int(std::lround(616 * largest)) + fullScreenExtra, int(std::lround(547 * largest)), float(largest),
         largeShot}};
    std::unique_ptr<OffscreenRenderer> defaultRenderer;
    for (const Size& size : sizes) {
        auto renderer = std::make_unique<OffscreenRenderer>(size.width, size.height);
        renderer->hudScale = size.hudScale;
        SizeResult r;
        const auto firstStart = std::chrono::steady_clock::now();
        renderer->renderFrame(world.scene, world.camera);
        r.firstMs = msSince(firstStart);
        for (int i = 0; i < 20; ++i) {
            tick();
            renderer->renderFrame(world.scene, world.camera);
        }
        std::vector<double> times;
        times.reserve(std::size_t(frames));
        const double cpuStart = processCpuMs();
        for (int i = 0; i < frames; ++i) {
            tick();
            const auto t0 = std::chrono::steady_clock::now();
            renderer->renderFrame(world.scene, world.camera);
            times.push_back(msSince(t0));
        }
        r.cpuPerFrame = (processCpuMs() - cpuStart) / double(frames);
        r.median = percentile(times, 0.5);
        r.p95 = percentile(times, 0.95);
        r.stats = renderer->lastFrameStats();
        if (!size.shot.empty())
            renderer->render(world.scene, world.camera).save(QString::fromStdString(size.shot));

        // The variants take turns, five frames each, until each has `frames` frames.
        constexpr int kRun = 5;
        std::vector<std::vector<double>> variantTimes(variants.size());
        std::vector<double> variantCpu(variants.size(), 0.0);
        for (int done = 0; done < frames; done += kRun)
            for (std::size_t v = 0; v < variants.size(); ++v) {
                state.save();
                variants[v].leave();
                tick();
                renderer->renderFrame(world.scene, world.camera); // settles the new set of objects
                const double cpu0 = processCpuMs();
                for (int i = 0; i < kRun; ++i) {
                    tick();
                    const auto t0 = std::chrono::steady_clock::now();
                    renderer->renderFrame(world.scene, world.camera);
                    variantTimes[v].push_back(msSince(t0));
                }
                variantCpu[v] += processCpuMs() - cpu0;
                state.restore();
            }
        std::vector<double> medians;
        for (std::size_t v = 0; v < variants.size(); ++v) {
            medians.push_back(percentile(variantTimes[v], 0.5));
            variantCpu[v] /= double(variantTimes[v].size());
        }
        const double full = medians[0], floor = medians[medians.size() - 2], clear = medians.back();

        std::printf("\n%d x %d pixels%s\n", size.width, size.height,
                    size.hudScale != 1.0f ? " (the largest view, texts scaled with it)"
                                          : " (the default view)");
        std::printf("  first frame: %.1f ms\n", r.firstMs);
        std::printf("  battle frame median %.2f ms, p95 %.2f ms (p95 / median %.2f) -> %.1f fps median\n",
                    r.median, r.p95, r.p95 / r.median, 1000.0 / r.median);
        // The work of a frame whatever else the machine runs: every thread's CPU time (the software
        // rasteriser draws on several), divided by the frames.
        std::printf("  CPU time per frame, all threads: %.2f ms\n", r.cpuPerFrame);
        std::printf("  burning cells %d, draw calls %d, triangles %lld, terrain tiles %d, particles %d\n",
                    battle.burning, r.stats.drawCalls, r.stats.triangles, r.stats.terrainTiles,
                    r.stats.particles);
        // The CPU time (all threads, including the tick) says the same on a machine busy with other
        // work, where the wall clock also counts the time the frame waited for a core.
        std::printf("  taking turns: frame median, CPU a frame; what leaving the group out saves\n");
        for (std::size_t v = 0; v < variants.size(); ++v) {
            std::printf("    %-48s %6.2f ms %6.2f ms", variants[v].name, medians[v], variantCpu[v]);
            if (v > 0 && v + 2 < variants.size())
                std::printf("   -> %5.2f ms (%4.1f %%), CPU %5.2f ms", full - medians[v],
                            100.0 * (full - medians[v]) / full, variantCpu[0] - variantCpu[v]);
            std::printf("\n");
        }
        std::printf("    the sea itself (floor - clear)                   %6.2f ms %6.2f ms\n", floor - clear,
                    variantCpu[variantCpu.size() - 2] - variantCpu.back());
        std::printf("  battle frame / floor frame: %.2f (CPU %.2f)\n", full / floor,
                    variantCpu[0] / variantCpu[variantCpu.size() - 2]);

        if (!defaultRenderer) defaultRenderer = std::move(renderer);
    }

    // The frames the game's viewer draws of this battle in one second of 60 cadencer ticks: everything but
    // the camera is paced.
    const double cpuStart = processCpuMs();
    for (int i = 0; i < 30; ++i) {
        tick();
        defaultRenderer->renderFrame(world.scene, world.camera);
    }
    const double cpuPerFrame = (processCpuMs() - cpuStart) / 30.0;
    FramePacer pacer;
    int pacedFrames = 0;
    for (int i = 0; i < 60; ++i) {
        tick();
        if (pacer.frameDue(pictureSignatures(world.scene, world.camera), battle.cadencer.currentTime()))
            ++pacedFrames;
    }
    std::printf(
        "\nframes drawn per second of battle (60 ticks): %d paced -> about %.0f ms of CPU a second at "
        "616 x 547 (%.0f ms at every tick)\n",
        pacedFrames, pacedFrames * cpuPerFrame, 60 * cpuPerFrame);

    // A sinking in the running battle: enemy ship 4 has been hidden through every frame so far; it is shown
    // with the sunk texture and drawn at once.
    tick();
    defaultRenderer->renderFrame(world.scene, world.camera);
    std::vector<double> before;
    for (int i = 0; i < 15; ++i) {
        tick();
        const auto t0 = std::chrono::steady_clock::now();
        defaultRenderer->renderFrame(world.scene, world.camera);
        before.push_back(msSince(t0));
    }
    tick();
    const auto sinkStart = std::chrono::steady_clock::now();
    battle.boards.showSunkShip(EnemyBoard, 4);
    defaultRenderer->renderFrame(world.scene, world.camera);
    const double sinkMs = msSince(sinkStart);
    std::printf("frame at a sinking (sunk texture and the hidden model shown): %.2f ms, %.1f x the frames "
                "before it\n",
                sinkMs, sinkMs / percentile(before, 0.5));
    return 0;
}
