// Figures for the engine's CPU-side work: what loading a ship model, the terrain picture and
// building terrain patches costs, and what the fire costs per cadencer tick.

#include "scene/engine/formats/BmpImage.h"
#include "scene/engine/formats/FireParticles.h"
#include "scene/engine/formats/HeightMap.h"
#include "scene/engine/formats/Md2Mesh.h"
#include "scene/engine/formats/Md2Model.h"
#include "scene/engine/formats/TerrainPatch.h"
#include "tests/engine/formats/TestFiles.h"

#include <benchmark/benchmark.h>

namespace {

// A model the size of a detailed ship: a 20 x 30 grid of vertices (600), 1102 triangles, 25 frames.
vtx::test::Bytes shipSizedModel() {
    vtx::test::TestMd2 m;
    m.skinWidth = m.skinHeight = 256;
    const int nx = 20, ny = 30;
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            m.texCoords.push_back({std::int16_t(i * 12), std::int16_t(j * 8)});
    for (int j = 0; j + 1 < ny; ++j)
        for (int i = 0; i + 1 < nx; ++i) {
            const auto v = [&](int a, int b) { return std::uint16_t(b * nx + a); };
            m.triangles.push_back(
                {v(i, j), v(i + 1, j + 1), v(i + 1, j), v(i, j), v(i + 1, j + 1), v(i + 1, j)});
            m.triangles.push_back(
                {v(i, j), v(i, j + 1), v(i + 1, j + 1), v(i, j), v(i, j + 1), v(i + 1, j + 1)});
        }
    for (int f = 0; f < 25; ++f) {
        vtx::test::TestMd2Frame frame;
        frame.name = "walk" + std::string(f < 9 ? "0" : "") + std::to_string(f + 1);
        frame.scale = {0.6f, 0.1f, 0.12f};
        frame.translate = {-15.0f, -14.0f, -3.0f + 0.1f * f};
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
                frame.vertices.push_back({std::uint8_t(i * 13), std::uint8_t((j * 37 + f) % 256),
                                          std::uint8_t((i * j + f * 3) % 256)});
        m.frames.push_back(frame);
    }
    return vtx::test::makeMd2(m);
}

void parseShipModel(benchmark::State& state) {
    const vtx::test::Bytes bytes = shipSizedModel();
    for (auto _ : state) {
        vtx::Md2Model model;
        std::string error;
        benchmark::DoNotOptimize(vtx::parseMd2(bytes, model, error));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(parseShipModel);

void buildShipMesh(benchmark::State& state) {
    vtx::Md2Model model;
    std::string error;
    vtx::parseMd2(shipSizedModel(), model, error);
    for (auto _ : state)
        benchmark::DoNotOptimize(vtx::buildMd2Mesh(model));
}
BENCHMARK(buildShipMesh);

void decodeBmp(benchmark::State& state) {
    const int side = int(state.range(0));
    const vtx::test::Bytes bytes =
        vtx::test::makeBmp(side, side, 24, false, [](int x, int y) -> std::uint32_t {
            return std::uint32_t(x * 7 + y * 3) & 0xffffff;
        });
    for (auto _ : state) {
        vtx::GreyImage image;
        std::string error;
        benchmark::DoNotOptimize(vtx::decodeBmpGrey(bytes, image, error));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(decodeBmp)->Arg(200)->Arg(1000);

vtx::GreyImage greyPicture(int side) {
    vtx::GreyImage image;
    image.width = image.height = side;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.pixels.push_back(std::uint8_t((x * 37 + y * 91 + x * y) % 251));
    return image;
}

void stretchHeightPicture(benchmark::State& state) {
    const vtx::GreyImage image = greyPicture(int(state.range(0)));
    vtx::HeightMap hds;
    for (auto _ : state)
        hds.loadFromImage(image);
}
BENCHMARK(stretchHeightPicture)->Arg(200)->Arg(1000);

// The whole 256 x 256 terrain as 64 patches of 32 samples, alternating detail levels so every edge is
// stitched; the tile pool is warm after the first round.
void buildTerrainPatches(benchmark::State& state) {
    vtx::HeightMap hds;
    hds.setMaxPoolSize(8388608);
    hds.loadFromImage(greyPicture(200));
    for (auto _ : state)
        for (int ty = -4; ty < 4; ++ty)
            for (int tx = -4; tx < 4; ++tx) {
                const int lod = int(state.range(0)) + ((tx + ty) & 1);
                vtx::TerrainTileKey key{tx, ty, lod, {lod + 1, lod + 1, lod + 1, lod + 1}};
                benchmark::DoNotOptimize(vtx::buildTerrainPatch(hds, 32, 8, key));
            }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * 64);
}
BENCHMARK(buildTerrainPatches)->Arg(0)->Arg(2);

void fireTick(benchmark::State& state) {
    vtx::FireParticles fire;
    for (int i = 0; i < 200; ++i)
        fire.advance(1.0f / 60.0f);
    for (auto _ : state) {
        fire.advance(1.0f / 60.0f);
        benchmark::DoNotOptimize(fire.particles().data());
    }
    state.counters["particles"] = double(fire.particles().size());
}
BENCHMARK(fireTick);

} // namespace
