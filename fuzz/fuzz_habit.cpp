// libFuzzer target: the habit file reads any bytes; what it accepts writes back to the very same bytes,
// and a fleet recorded on top keeps every count within the fleets.

#include "game/admiral/PlayerHabit.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    vtx::HabitRead read = vtx::readHabit(bytes);
    if (read.problem != vtx::HabitProblem::None) {
        if (read.habit.fleets() != 0) std::abort();
        return 0;
    }
    const auto written = read.habit.toBytes();
    if (!std::equal(written.begin(), written.end(), bytes.begin(), bytes.end())) std::abort();
    vtx::CellSet decks;
    for (std::size_t i = 0; i < size && i < 20; ++i)
        decks.add(data[i] % vtx::GridCells);
    read.habit.record(decks);
    const vtx::HabitRead again = vtx::readHabit(read.habit.toBytes());
    if (again.problem != vtx::HabitProblem::None || !(again.habit == read.habit)) std::abort();
    for (int cell = 0; cell < vtx::GridCells; ++cell)
        if (again.habit.count(cell) > again.habit.fleets()) std::abort();
    return 0;
}
