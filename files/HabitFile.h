#pragma once

// "habit.dat" in the player's folder: how this player arranges a fleet by
// hand, which the Admiral weighs its guesses by (the bytes are
// game/admiral/PlayerHabit.h's). One habit per folder, whoever plays.
// Deleting the file makes the Admiral forget the player: it starts a new
// habit at the next hand-arranged match.

#include "game/admiral/PlayerHabit.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vtx {

std::filesystem::path habitPath(const std::filesystem::path& userRoot);

struct HabitLoad {
    PlayerHabit habit;
    // The file was there but not a habit of ours (damaged, foreign, another
    // version): it is ignored and an empty habit was written in its place.
    bool replaced = false;
    // Why writing it anew failed, if it did.
    std::optional<std::string> error;
};

// The stored habit; a missing file is an empty habit and is not created.
HabitLoad loadHabit(const std::filesystem::path& userRoot);

// Replaces the file with the habit atomically (FileIo). Returns a one-line
// description naming the file when the save failed.
std::optional<std::string> saveHabit(const std::filesystem::path& userRoot, const PlayerHabit& habit);

} // namespace vtx
