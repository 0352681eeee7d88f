#pragma once

// The "replays" folder of the player's folder: the last ReplaysKept matches,
// one file each (ReplayFile.h), named
//   "replay-YYYYMMDD-HHMMSS-NN.vtxr"
// by the date and time (UTC) of the match's first shot and a serial number
// 00..99 that tells apart matches of the same second. Names sort as the
// matches were played.
//
// The game's own files there are the regular files under that pattern. Only
// they are listed, counted and ever removed: another name, a folder, a
// symbolic link (also one under the pattern, and whatever it points to) and
// any special file are left alone.

#include "files/ReplayFile.h"
#include "game/Replay.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

inline constexpr std::size_t ReplaysKept = 100;
inline constexpr std::string_view ReplayFolderName = "replays";

// userRoot() / "replays".
std::filesystem::path replayFolder();

// The file name of a match of that time (seconds since 1970 UTC, taken within
// years 1970..9999) and serial 0..99.
std::string replayFileName(std::int64_t unixSeconds, int serial);
bool isReplayFileName(std::string_view name);

// The game's own replay files of folder, newest first; empty when the folder
// is missing or unreadable.
std::vector<std::filesystem::path> replayFiles(const std::filesystem::path& folder);

// One file of the list: the match it holds, or why it cannot be shown.
struct ReplayListing {
    std::filesystem::path path;
    ReplayRead read;
};

// The newest ReplaysKept of the game's own files, newest first, each read
// whole (at most 64 KiB each). A file that cannot be read is listed with
// ReplayError::CannotRead.
std::vector<ReplayListing> readReplayFolder(const std::filesystem::path& folder);

// Writes the replay as a new file of folder (created when missing) atomically
// (FileIo.h), then removes the oldest of the game's own files beyond keep,
// never the one just written. Returns an error text for a log, nothing on
// success; a file that cannot be removed is left and tried again next time.
std::optional<std::string> keepReplay(const std::filesystem::path& folder, const Replay& replay,
                                      std::size_t keep = ReplaysKept);

} // namespace vtx
