// libFuzzer target: the high-score file reads any bytes, and the table it yields is written back as
// seven 40-character lines that read back to the same points.

#include "files/HighScoreFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vtx::ScoreTable table = vtx::parseScoreFile(bytes);
    const std::string written = vtx::serializeScoreFile(table, [](int n) { return n > 0 ? n / 2 : 0; });
    if (written.size() != std::size_t(vtx::kScoreRows) * (vtx::kScoreLineLength + 2)) std::abort();
    const vtx::ScoreTable again = vtx::parseScoreFile(written);
    if (again.points != table.points) std::abort();
    return 0;
}
