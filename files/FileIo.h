#pragma once

// Whole-file reading and crash-safe whole-file writing for the game's small
// text files ("vtx.ini", "hscore.dat").
//
// Writing goes to "<name>.tmp" in the same folder, is synced to the disk and
// closed, and is then renamed over the old file. The rename is atomic on one
// file system, so a crash, a full disk or a refused write leaves either the
// old file or the new file whole, never a mixture. Every step counts: a write,
// fsync or close that fails is a failed save. A failed save removes the
// temporary file and returns a message for the player; the caller shows it.
//
// An existing file keeps its permission bits. A file that is a symbolic link
// is written through: the link stays and its target gets the new bytes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vtx {

struct FileReadResult {
    bool exists = false;    // something is there under that name
    bool readError = false; // it is there but could not be read: no permission, an I/O
                            // error, not a regular file (a folder); bytes is empty
    bool truncated = false; // the file was longer than the limit; bytes holds its start
    std::string bytes;
};

// Reads at most maxBytes of the file. Never throws.
FileReadResult readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file with bytes atomically. Returns an empty optional on
// success, otherwise a one-line description naming the file. Never throws.
std::optional<std::string> writeFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// The system calls a save makes, so a test can stand in for a disk that
// fails at fsync or at close. Defaults to the real ones.
struct FileSyscalls {
    long (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
};
FileSyscalls& fileSyscalls();

} // namespace vtx
