// Renders a scene the size of the game's world offscreen at the viewer's size and prints frame times.
//
//   engine_bench [--frames N] [--data DIR] [--shot FILE.png [--closeup] [--sun]]
//
// Without --data every picture and model is made here (a 256 x 256 height picture with a dark sea
// in the middle and a ring of mountains, a ~1000-triangle animated hull); with --data the game's
// DATA folder is used where its files exist. Run under a display, e.g. xvfb-run -a.

#include "scene/World.h"
#include "scene/engine/AnimatedModel.h"
#include "scene/engine/FireSystem.h"
#include "scene/engine/FrameClock.h"
#include "scene/engine/Group.h"
#include "scene/engine/HudText.h"
#include "scene/engine/LightSource.h"
#include "scene/engine/MaterialLibrary.h"
#include "scene/engine/OffscreenRenderer.h"
#include "scene/engine/Plane.h"
#include "scene/engine/Sky.h"
#include "scene/engine/Sprite.h"
#include "scene/engine/Terrain.h"
#include "tests/engine/EngineTestSupport.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

using namespace vtx;

namespace {

QImage noiseTexture(int size, QColor base, int spread, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(-spread, spread);
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int n = d(rng);
            image.setPixel(x, y,
                           qRgb(std::clamp(base.red() + n, 0, 255), std::clamp(base.green() + n, 0, 255),
                                std::clamp(base.blue() + n, 0, 255)));
        }
    return image;
}

GreyImage heightPicture() {
    // Periodic in both directions so the repeating raster has no seams.
    GreyImage g;
    g.width = g.height = 256;
    g.pixels.resize(256 * 256);
    const float tau = 6.2831853f;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const float u = std::sin(tau * float(x) / 256.0f * 0.5f),
                        v = std::sin(tau * float(y) / 256.0f * 0.5f);
            // |sin| of half the phase: 0 at the raster's edges (its wrap seam), 1 at the centre.
            const float ring = std::sqrt(u * u + v * v) / 1.41421f;
            const float bumps =
                20.0f * std::sin(tau * float(x) * 5.0f / 256.0f) * std::cos(tau * float(y) * 3.0f / 256.0f);
            // Low (sea) near the centre, mountains further out towards the seam.
            const float h = 70.0f + 160.0f * std::clamp((1.0f - ring) * 2.0f, 0.0f, 1.0f) + bumps;
            g.pixels[std::size_t(y) * 256 + std::size_t(x)] = std::uint8_t(std::clamp(h, 0.0f, 255.0f));
        }
    return g;
}

// A closed hull of about 1000 triangles with 24 rocking frames ("walk") and one resting frame ("stop").
std::vector<unsigned char> hullModel() {
    enginetest::Md2Recipe m;
    m.skinWidth = m.skinHeight = 256;
    const int rings = 22, segments = 24;
    for (int r = 0; r <= rings; ++r)
        for (int s = 0; s <= segments; ++s)
            m.texCoords.push_back({std::int16_t(s * 255 / segments), std::int16_t(r * 255 / rings)});
    const auto vi = [&](int r, int s) { return std::uint16_t(r * segments + (s % segments)); };
    const auto ti = [&](int r, int s) { return std::uint16_t(r * (segments + 1) + s); };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            m.triangles.push_back(
                {vi(r, s), vi(r, s + 1), vi(r + 1, s + 1), ti(r, s), ti(r, s + 1), ti(r + 1, s + 1)});
            m.triangles.push_back(
                {vi(r, s), vi(r + 1, s + 1), vi(r + 1, s), ti(r, s), ti(r + 1, s + 1), ti(r + 1, s)});
        }
    for (int f = 0; f < 25; ++f) {
        enginetest::Md2FrameRecipe frame;
        char name[16];
        std::snprintf(name, sizeof name, f < 24 ? "walk%02d" : "stop%02d", f < 24 ? f + 1 : 1);
        frame.name = name;
        const float rock = f < 24 ? 0.1f * std::sin(6.2831853f * float(f) / 24.0f) : 0.0f;
        for (int r = 0; r <= rings; ++r)
            for (int s = 0; s < segments; ++s) {
                const float a = 6.2831853f * float(s) / float(segments);
                const float t = float(r) / float(rings);
                const float x = -15.0f + t * 130.0f;
                const float width = 14.0f * std::sin(3.14159f * std::clamp(t, 0.02f, 0.98f));
                const float y = width * std::cos(a), z0 = 10.0f * std::sin(a);
                const float z = z0 + y * rock;
                frame.vertices.push_back({x, y, z});
            }
        m.frames.push_back(frame);
    }
    // Rings share no vertices across the seam of the last ring: vertex count = (rings + 1) * segments.
    return enginetest::writeMd2(m);
}

bool exists(const std::string& path) {
    return QFileInfo::exists(QString::fromStdString(path));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int frames = 300;
    std::string data, shot;
    bool closeup = false;
    bool lookAtSun = false;
    for (int i = 1; i < argc; ++i) {
        const std::string key = argv[i];
        if (key == "--closeup") {
            closeup = true;
            continue;
        }
        if (key == "--sun") {
            lookAtSun = true;
            continue;
        }
        if (i + 1 >= argc) break;
        if (key == "--frames")
            frames = std::max(1, std::atoi(argv[i + 1]));
        else if (key == "--data")
            data = argv[i + 1];
        else if (key == "--shot")
            shot = argv[i + 1];
        ++i;
    }
    const auto file = [&](const char* name) {
        const std::string path = data.empty() ? std::string() : data + "/" + name;
        return !path.empty() && exists(path) ? path : std::string();
    };

    OffscreenRenderer renderer(616, 547);
    Scene scene;
    MaterialLibrary water, library;
    for (int i = 0; i < World::WaterFrames; ++i)
        water.addMaterialFromImage(World::waterMaterial(i),
                                   noiseTexture(128, QColor(30, 90, 110), 20, unsigned(i)));
    LibraryMaterial* ground =
        library.addMaterialFromImage("ground", noiseTexture(512, QColor(220, 220, 225), 30, 99));
    if (!file("snow512.jpg").empty()) ground->material.texture.image.loadFromFile(file("snow512.jpg"));
    ground->material.texture.textureMode = TextureMode::Modulate;
    QImage mark(64, 64, QImage::Format_RGB32);
    mark.fill(Qt::black);
    {
        QPainter painter(&mark);
        painter.setPen(QPen(QColor(200, 200, 200), 3));
        painter.drawEllipse(12, 12, 40, 40);
    }
    library.addMaterialFromImage(World::HintMark, mark, BlendMode::Additive);
    library.addMaterialFromImage(World::HitMark, mark, BlendMode::Additive);
    library.addMaterialFromImage(World::FrameMark, mark, BlendMode::Additive);

    auto* rig = scene.objects().addChild<Group>();
    rig->position = {10, 10, 10};
    auto* camera = rig->addChild<Camera>();
    camera->depthOfView = 1000.0f;
    camera->focalLength = 50.0f;
    auto* world = scene.objects().addChild<Group>();

    auto* sky = world->addChild<Sky>();
    sky->setDirection({0, 1, 0});
    sky->setUp({-0.866025f, 0, 0.5f});
    const glm::vec4 blue(112 / 255.0f, 147 / 255.0f, 219 / 255.0f, 1.0f);
    sky->bands.push_back({-90, 0, {0, 0, 0, 1}, blue, 12, 1});
    sky->bands.push_back({0, 90, blue, {1, 1, 1, 1}, 12, 4});
    sky->bandsChanged();
    auto* sun = sky->addChild<Sprite>();
    sun->position = {400, 400, 100};
    sun->width = sun->height = 100;
    sun->material.blendingMode = BlendMode::Additive;
    QImage flare(128, 128, QImage::Format_RGB32);
    flare.fill(Qt::black);
    {
        QPainter painter(&flare);
        QRadialGradient gradient(64, 64, 64);
        gradient.setColorAt(0, QColor(255, 255, 220));
        gradient.setColorAt(1, Qt::black);
        painter.fillRect(flare.rect(), gradient);
    }
    sun->material.texture.image.assign(flare);
    if (!file("flare0.jpg").empty()) sun->material.texture.image.loadFromFile(file("flare0.jpg"));

    auto* reflecting = world->addChild<Group>();
    auto* nonReflecting = world->addChild<Group>();
    auto* sea = nonReflecting->addChild<Plane>();
    sea->tag = 100;
    sea->setDirection({0, 1, 0});
    sea->setUp({0, 0, -1});
    sea->width = sea->height = 500;
    sea->xTiles = sea->yTiles = 15;
    sea->materialLibrary = &water;
    sea->libMaterialName = World::waterMaterial(0);
    camera->targetObject = sea;

    HeightMap hds;
    hds.setMaxPoolSize(8388608);
    if (!file("terrain.bmp").empty())
        hds.loadFromFile(file("terrain.bmp"));
    else
        hds.loadFromImage(heightPicture());
    auto* terrain = world->addChild<Terrain>();
    terrain->setDirection({0, 1, 0});
    terrain->setUp({0, 0, 1});
    terrain->scale = {2.1f, 2.1f, 0.3f};
    terrain->heightDataSource = &hds;
    terrain->tileSize = 32;
    terrain->tilesPerTexture = 8;
    terrain->qualityDistance = 150;
    terrain->hiddenBelow = 0.0f; // under the opaque sea
    terrain->materialLibrary = &library;
    terrain->libMaterialName = "ground";

    auto fire = std::make_shared<FireSystem>();
    std::vector<Plane*> cells;
    for (int board = 0; board < 2; ++board)
        for (int row = 1; row <= 10; ++row)
            for (int column = 1; column <= 10; ++column) {
                auto* cell = nonReflecting->addChild<Plane>();
                cell->setDirection({0, 1, 0});
                cell->setUp({0, 0, -1});
                cell->position = {float(column - 5), 0.1f, float(board == 0 ? row : row - 11)};
                cell->materialLibrary = &library;
                cell->libMaterialName = World::FrameMark;
                cells.push_back(cell);
            }
    for (int i = 0; i < 20; ++i) {
        cells[std::size_t(i * 9 + 3)]->effects.addFire(fire);
        cells[std::size_t(i * 9 + 3)]->libMaterialName = World::HitMark;
    }

    const auto hull = hullModel();
    QImage skin = noiseTexture(256, QColor(120, 125, 130), 25, 7);
    for (int i = 0; i < 20; ++i) {
        auto* ship = reflecting->addChild<AnimatedModel>();
        const char* models[] = {"ship4t.md2", "ship3t.md2", "ship2t.md2", "ship1t.md2"};
        const std::string model = file(models[i % 4]);
        if (model.empty())
            ship->loadFromBytes(hull);
        else
            ship->loadFromFile(model);
        ship->scale = glm::vec3(0.03f);
        ship->setPitchAngle(90.0f);
        ship->position = {float(i % 10 - 4), 0.0f, float(i < 10 ? 1 + i : -10 + (i - 10))};
        ship->material.texture.image.assign(skin);
        if (!file("ship2.jpg").empty()) ship->material.texture.image.loadFromFile(file("ship2.jpg"));
        ship->switchAnimation("walk", true);
        ship->interval = 200;
        ship->setCurrentFrame(1 + i % 24);
    }
    auto* light = world->addChild<LightSource>();
    light->position = {20, 250, 20};

    BitmapFont font, logo;
    QImage glyphs(31 * 8, 31 * 8, QImage::Format_RGB32);
    glyphs.fill(Qt::black);
    {
        QPainter painter(&glyphs);
        painter.setPen(Qt::white);
        QFont f = painter.font();
        f.setPixelSize(24);
        painter.setFont(f);
        for (int c = ' '; c <= 'Z'; ++c) {
            const int g = c - ' ';
            painter.drawText(QRect((g % 8) * 31, (g / 8) * 31, 30, 30), Qt::AlignCenter, QString(QChar(c)));
        }
    }
    font.glyphs.assign(glyphs);
    if (!file("font.bmp").empty()) font.loadGlyphsFromFile(file("font.bmp"));
    font.charWidth = font.charHeight = 30;
    font.glyphsIntervalX = font.glyphsIntervalY = 1;
    font.addRange(' ', 'Z', 0);
    logo.glyphs.assign(noiseTexture(397, QColor(128, 128, 128), 100, 3).copy(0, 0, 397, 303));
    if (!file("logo.jpg").empty()) logo.loadGlyphsFromFile(file("logo.jpg"));
    logo.charWidth = 397;
    logo.charHeight = 303;
    logo.addRange('A', 'H', 0);
    auto* message = scene.objects().addChild<HudText>();
    message->position = {40, 220, 0};
    message->bitmapFont = &font;
    message->text = "YOU WON THE GAME!";
    auto* logoText = scene.objects().addChild<HudText>();
    logoText->position = {100, 120, 0};
    logoText->bitmapFont = &logo;
    logoText->text = "A";
    logoText->modulateColor = {1, 1, 1, 0.7f};

    // Experiments: VTX_BENCH_HIDE=sky,sea,terrain,cells,ships,hud,fire hides parts of the world.
    if (const char* hide = std::getenv("VTX_BENCH_HIDE")) {
        const std::string parts = hide;
        const auto has = [&](const char* part) { return parts.find(part) != std::string::npos; };
        sky->visible = !has("sky");
        sea->visible = !has("sea");
        terrain->visible = !has("terrain");
        reflecting->visible = !has("ships");
        message->visible = logoText->visible = !has("hud");
        for (Plane* cell : cells) {
            cell->visible = !has("cells");
            if (has("fire")) cell->effects.clear();
        }
    }
    FrameClock cadencer;
    cadencer.scene = &scene;
    for (int i = 0; i < 60; ++i)
        fire->advance(1.0 / 60.0);

    // Process CPU time (all threads, the rasteriser's included): on a shared machine it is steadier
    // than wall time, which other processes inflate.
    const auto cpuSeconds = [] {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
    };
    using clock = std::chrono::steady_clock;
    struct Phase {
        double first = 0, median = 0, p95 = 0, fps = 0, cpu = 0;
        RenderStats stats;
    };
    // Renders `count` frames: the cadencer ticks, the sea animates and the camera turns slowly, so
    // terrain tiles and their detail keep changing.
    const auto run = [&](int count) {
        std::vector<double> times;
        times.reserve(std::size_t(count));
        double cpuAfterFirst = 0.0;
        const auto start = clock::now();
        for (int i = 0; i < count; ++i) {
            const auto t0 = clock::now();
            cadencer.progress(1.0 / 60.0);
            sea->libMaterialName = World::waterMaterial((i / 6) % World::WaterFrames);
            camera->orbitTarget(0.0f, 0.5f);
            renderer.renderFrame(scene, camera);
            times.push_back(std::chrono::duration<double, std::milli>(clock::now() - t0).count());
            if (i == 0) cpuAfterFirst = cpuSeconds();
        }
        Phase phase;
        phase.fps = count / std::chrono::duration<double>(clock::now() - start).count();
        phase.cpu = count > 1 ? (cpuSeconds() - cpuAfterFirst) * 1000.0 / (count - 1) : 0.0;
        phase.first = times.front();
        std::vector<double> sorted(times.begin() + (count > 1 ? 1 : 0), times.end());
        std::sort(sorted.begin(), sorted.end());
        phase.median = sorted[sorted.size() / 2];
        phase.p95 = sorted[std::min(sorted.size() - 1, sorted.size() * 95 / 100)];
        phase.stats = renderer.lastFrameStats();
        return phase;
    };
    const auto print = [](const char* title, const Phase& p) {
        std::printf("  %s\n", title);
        std::printf("    median frame     %8.2f ms  (%.1f fps)\n", p.median, 1000.0 / p.median);
        std::printf("    95th percentile  %8.2f ms\n", p.p95);
        std::printf("    overall          %8.1f fps\n", p.fps);
        std::printf("    CPU per frame    %8.2f ms  (all threads, after the first frame)\n", p.cpu);
        std::printf("    last frame: %d draw calls, %d terrain tiles, %d particles\n", p.stats.drawCalls,
                    p.stats.terrainTiles, p.stats.particles);
    };

    std::printf("engine_bench: 2 x %d frames at 616 x 547 (%s data)\n", frames,
                data.empty() ? "generated" : data.c_str());
    const Phase boards = run(frames);
    std::printf("  first frame        %8.2f ms\n", boards.first);
    print("camera over the boards (the game's starting view):", boards);
    {
        // Hover picking runs at every mouse move: time picks at spread-out pixels of this view.
        std::vector<double> picks;
        int hits = 0;
        for (int i = 0; i < 100; ++i) {
            const auto t0 = clock::now();
            hits += renderer.pickObject(scene, camera, (i * 37) % 616, (i * 53) % 547) != nullptr;
            picks.push_back(std::chrono::duration<double, std::milli>(clock::now() - t0).count());
        }
        std::sort(picks.begin(), picks.end());
        std::printf("    pick (3 x 3)     %8.2f ms median, %.2f ms 95th percentile (%d of 100 hit)\n",
                    picks[50], picks[95], hits);
    }
    // Lowered towards the horizon: mountains and sky fill the upper half.
    camera->orbitTarget(28.0f, 0.0f);
    print("camera lowered to look at the horizon:", run(frames));
    if (!shot.empty()) {
        if (closeup) {
            // Close to the first burning cell, to judge the flames.
            rig->position = cells[174]->absolutePosition() + glm::vec3(1.5f, 0.8f, 1.5f);
            camera->position = {0, 0, 0};
            camera->targetObject = cells[174];
            message->visible = logoText->visible = false;
        }
        if (lookAtSun) camera->targetObject = sun;
        const QImage image = renderer.render(scene, camera);
        image.save(QString::fromStdString(shot));
        std::printf("  screenshot: %s\n", shot.c_str());
    }
    return 0;
}
