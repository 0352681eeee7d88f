#include "scene/engine/formats/BmpImage.h"
#include "scene/engine/formats/Md2Mesh.h"
#include "scene/engine/formats/Md2Model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vtx {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> filesIn(const std::string& folder) {
    std::vector<fs::path> files;
    const fs::path dir = fs::path(VTX_SOURCE_DIR) / "fuzz" / folder;
    if (fs::is_directory(dir))
        for (const fs::directory_entry& e : fs::directory_iterator(dir))
            if (e.is_regular_file()) files.push_back(e.path());
    return files;
}

// The fuzzers' seeds must stay valid files (else the fuzzers start from nothing useful), and every
// kept crash input is replayed here too, so the ordinary sanitizer run guards against it.
TEST(FuzzInputs, SeedsDecodeAndKeptCrashInputsAreRefused) {
    const auto md2 = [](const fs::path& p) {
        Md2Model model;
        std::string error;
        const bool ok = parseMd2(readFile(p), model, error);
        if (ok) buildMd2Mesh(model);
        return ok;
    };
    const auto bmp = [](const fs::path& p) {
        GreyImage image;
        std::string error;
        return decodeBmpGrey(readFile(p), image, error);
    };
    const std::vector<fs::path> md2Seeds = filesIn("corpus/md2"), bmpSeeds = filesIn("corpus/bmp");
    EXPECT_FALSE(md2Seeds.empty());
    EXPECT_FALSE(bmpSeeds.empty());
    for (const fs::path& p : md2Seeds)
        EXPECT_TRUE(md2(p)) << p;
    for (const fs::path& p : bmpSeeds)
        EXPECT_TRUE(bmp(p)) << p;
    for (const fs::path& p : filesIn("regressions/md2"))
        md2(p); // must not crash; whether it is accepted depends on the input
    for (const fs::path& p : filesIn("regressions/bmp"))
        bmp(p);
}

} // namespace
} // namespace vtx
