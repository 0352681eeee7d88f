#pragma once

// The settings files under the start directory.
//
// "vtx.ini", section "Options" (read at every activation of the options
// window, written by its Close; "Song" is written only when the program quits):
//   playerName            string   ""     the player's name
//   ShipsManualArranging  boolean  false  "1"/"0"
//   EnableSound           boolean  false
//   EnableMusic           boolean  false
//   Song                  integer  0      playlist position (stored as index + 1)
//   Difficulty            integer  0      level index 0 "Easy", 1 "Normal", 2 "Hard",
//                                         3 "Admiral"; any other stored value means no
//                                         level (-1), as 3 does to a version before the Admiral
// Beside them, under names an older version never reads (so it keeps them and
// goes on as before), written when the program ends:
//   EffectsLevel          integer  -      the effects' volume bar, 0..60
//   MusicLevel            integer  -      the music's volume bar, 0..60
//   WindowWidth           integer  -      the main window's size in pixels
//   WindowHeight          integer  -
// A missing or malformed one leaves that setting as the program starts it.
// "vortalix.ini", section "Options": only "Difficulty" (integer), read at the
// start of every game, never written; without it the player's level stays.
//
// Both names are looked up case-insensitively under the start directory; a
// missing file or key gives the defaults.

#include <filesystem>
#include <optional>
#include <string>

namespace vtx {

class IniFile;

inline constexpr const char* kOptionsSection = "Options";

struct StoredOptions {
    std::string playerName;
    bool shipsManualArranging = false;
    bool enableSound = false;
    bool enableMusic = false;
    int song = 0;
    int difficulty = 0; // 0..3, or -1 for "no level selected"
};

// What the program keeps of its last run; each is empty when not stored.
struct StoredSession {
    std::optional<int> effectsLevel;
    std::optional<int> musicLevel;
    std::optional<int> windowWidth;
    std::optional<int> windowHeight;
};

// Files larger than this are read only up to it (a hostile file cannot
// exhaust memory). Such a file is never rewritten: the save is refused with a
// message rather than cutting off its end.
inline constexpr std::size_t kMaxIniBytes = 4 * 1024 * 1024;

std::filesystem::path optionsIniPath(const std::filesystem::path& startDir);  // "vtx.ini"
std::filesystem::path vortalixIniPath(const std::filesystem::path& startDir); // "vortalix.ini"

// Loads an INI file; a missing or unreadable file gives an empty one.
IniFile loadIniFile(const std::filesystem::path& path);

StoredOptions readStoredOptions(const IniFile& ini);
StoredOptions readStoredOptions(const std::filesystem::path& startDir);

// Writes the five keys of the options window in their fixed order
// (playerName, ShipsManualArranging, EnableSound, EnableMusic, Difficulty)
// into ini, never "Song".
void writeStoredOptions(IniFile& ini, const StoredOptions& options);

// Read-modify-write of "vtx.ini" with the options window's keys, atomically.
// Returns an error message for the player when the file could not be written
// (or could not be read whole, so that rewriting it would lose its content).
std::optional<std::string> saveStoredOptions(const std::filesystem::path& startDir,
                                             const StoredOptions& options);

StoredSession readStoredSession(const IniFile& ini);
StoredSession readStoredSession(const std::filesystem::path& startDir);
// Read-modify-write of "vtx.ini": the four keys that are set, nothing else.
std::optional<std::string> saveStoredSession(const std::filesystem::path& startDir,
                                             const StoredSession& session);

// The quit path: "Song" := song (the caller passes songIndex + 1).
std::optional<std::string> saveSong(const std::filesystem::path& startDir, int song);

// "Difficulty" of "vortalix.ini" as a level index, -1 (no level) when the
// stored value is outside 0..2; empty when the file or the key is missing, so
// that the level the player chose stays.
std::optional<int> readVortalixDifficulty(const std::filesystem::path& startDir);

} // namespace vtx
