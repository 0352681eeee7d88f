#pragma once

// Where the game's files are. Two roots:
//   data root  the folders the generator made and the game only reads:
//              "DATA", "data", "sounds", "Music";
//   user root  the player's own files, read and written: "vtx.ini",
//              "vortalix.ini", "hscore.dat", "clients.cfg". This is the main
//              window's startDir.
//
// Which folders they are, decided once at program start (chooseGameFolders):
//   1. The current directory holds the data (the runtime folder build/run or a
//      copy of it): both roots are the current directory, as the game has
//      always run.
//   2. Otherwise the game is installed: the data is found from the program's
//      own folder, either beside it (a runtime folder started from elsewhere)
//      or at <program folder>/<installedData> (the install rules make that
//      "../share/vortalix3d"); the user root is "$XDG_DATA_HOME/vortalix3d",
//      or "$HOME/.local/share/vortalix3d" when XDG_DATA_HOME is unset or not
//      an absolute path, created at the first start.
//
// Until setGameFolders is called (the tests, which build windows directly),
// both roots are the current directory at the moment of the call.

#include <filesystem>
#include <string>

namespace vtx {

struct GameFolders {
    std::filesystem::path dataRoot;
    std::filesystem::path userRoot;
};

// What the choice depends on, gathered by currentFolderFacts() or made up by a test.
struct FolderFacts {
    std::filesystem::path currentDir;
    std::filesystem::path programDir;    // folder of the running program; may be empty
    std::filesystem::path installedData; // data folder relative to programDir
    std::string xdgDataHome;             // $XDG_DATA_HOME, empty when unset
    std::string home;                    // $HOME, empty when unset
};

// True when folder holds the game's data: its "DATA" folder with the font
// picture (names matched without regard to case, as every data lookup is).
bool holdsGameData(const std::filesystem::path& folder);

// The rules above; touches the file system only to look for the data.
GameFolders chooseGameFolders(const FolderFacts& facts);

// The facts of this process: current directory, the program's folder (from
// /proc/self/exe), the environment.
FolderFacts currentFolderFacts(const std::filesystem::path& installedData);

// The process-wide choice; call before any window is made.
void setGameFolders(const GameFolders& folders);
std::filesystem::path dataRoot();
std::filesystem::path userRoot();

// Creates the user root when it is missing. Returns an error text, empty on success.
std::string createUserRoot(const std::filesystem::path& folder);

// At program start: chooses from this process's facts, sets the choice and
// creates the user root. Returns createUserRoot's error text.
std::string setUpGameFolders(const std::filesystem::path& installedData);

} // namespace vtx
