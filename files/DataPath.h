#pragma once

// Maps the game's data paths, written with backslashes as the game names them
// ("data\\panel2.jpg", "DATA\\ship.jpg", "vtx.ini"), onto the file system.
// Each folder and file name is matched without regard to case, so "DATA" and
// "data" both find a folder named "data". Used by the windows (panel
// pictures), the options store and anyone else that opens a game file.

#include <filesystem>
#include <string_view>

namespace vtx {

// Returns the existing path under base whose components match gamePath
// case-insensitively (exact spellings are tried first; when several folders
// differ only in case, such as "DATA" and "data", each is searched). When
// nothing matches, returns base joined with gamePath's components as written,
// so an error message can name it. Never throws.
std::filesystem::path resolveDataPath(std::string_view gamePath, const std::filesystem::path& base);

// The same under the game's data root (files/GameFolders.h): the current
// directory unless the program was started as an installed game.
std::filesystem::path resolveDataPath(std::string_view gamePath);

} // namespace vtx
