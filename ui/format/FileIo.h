#pragma once

// Whole-file reading and crash-safe whole-file writing for the game's small
// text files ("vtx.ini", "hscore.dat").
//
// Writing goes to "<name>.tmp" in the same folder, is flushed and synced, and
// is then renamed over the old file. The rename is atomic on one file system,
// so a crash, a full disk or a refused write leaves either the old file or the
// new file whole, never a mixture. A failed write removes the temporary file
// and returns a message for the player; the caller shows it.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vtx {

struct FileReadResult {
    bool exists = false;    // a regular file is there
    bool readError = false; // it is there but could not be read (bytes is empty)
    bool truncated = false; // the file was longer than the limit; bytes holds its start
    std::string bytes;
};

// Reads at most maxBytes of the file. Never throws.
FileReadResult readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file with bytes atomically. Returns an empty optional on
// success, otherwise a one-line description naming the file. Never throws.
std::optional<std::string> writeFileAtomic(const std::filesystem::path& path, std::string_view bytes);

} // namespace vtx
