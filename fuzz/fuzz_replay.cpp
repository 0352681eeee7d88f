// libFuzzer target: the replay reader takes any bytes and refuses what it cannot show; what it
// accepts writes back to the same bytes and plays forward and back without leaving the boards.
//
// The input is read twice: as it is, and with its last four bytes replaced by the checksum of the
// rest, so mutations reach the fields behind the checksum instead of stopping at it.

#include "files/ReplayFile.h"
#include "game/ReplayPlayer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

void check(std::span<const unsigned char> bytes) {
    const vtx::ReplayRead read = vtx::readReplayFile(bytes);
    if (!read.ok()) {
        if (read.detail.empty()) std::abort();
        return;
    }
    // Only the game's own bytes are accepted: writing gives them back unchanged.
    const std::string again = vtx::replayFileBytes(read.replay);
    const auto same = [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; };
    if (again.size() != bytes.size() || !std::equal(again.begin(), again.end(), bytes.begin(), same))
        std::abort();

    vtx::ReplayPlayer player(read.replay);
    player.setSpeed(16);
    while (player.forward())
        (void)player.msToNext();
    const vtx::ReplayTally mine = player.tally(vtx::ReplaySide::Player);
    const vtx::ReplayTally theirs = player.tally(vtx::ReplaySide::Opponent);
    if (std::size_t(mine.shots + theirs.shots) != player.shotCount() || mine.sunk > 10 || theirs.sunk > 10)
        std::abort();
    player.back();
    player.toStart();
    if (player.tally(vtx::ReplaySide::Player).shots != 0) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    check(bytes);
    if (size >= 4 && size <= vtx::ReplayFileMaxBytes) {
        std::vector<unsigned char> patched(bytes.begin(), bytes.end());
        const std::uint32_t crc = vtx::crc32(bytes.first(size - 4));
        for (int i = 0; i < 4; ++i)
            patched[size - 4 + std::size_t(i)] = static_cast<unsigned char>(crc >> (8 * i));
        check(patched);
    }
    return 0;
}
