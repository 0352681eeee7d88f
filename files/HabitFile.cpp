#include "files/HabitFile.h"

#include "files/DataPath.h"
#include "files/FileIo.h"

#include <string_view>

namespace vtx {

namespace fs = std::filesystem;

fs::path habitPath(const fs::path& userRoot) {
    return resolveDataPath("habit.dat", userRoot);
}

HabitLoad loadHabit(const fs::path& userRoot) {
    HabitLoad load;
    const fs::path path = habitPath(userRoot);
    // One byte more than a habit: a longer file must not read as one.
    const FileReadResult read = readFileBytes(path, PlayerHabit::FileBytes + 1);
    if (!read.exists) return load;
    const HabitRead habit = readHabit(std::string_view(read.bytes));
    if (!read.readError && habit.problem == HabitProblem::None) {
        load.habit = habit.habit;
        return load;
    }
    load.replaced = true;
    load.error = saveHabit(userRoot, PlayerHabit{});
    return load;
}

std::optional<std::string> saveHabit(const fs::path& userRoot, const PlayerHabit& habit) {
    const auto bytes = habit.toBytes();
    return writeFileAtomic(habitPath(userRoot),
                           std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace vtx
