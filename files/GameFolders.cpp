#include "files/GameFolders.h"

#include "files/DataPath.h"
#include "game/DataFiles.h"

#include <cstdlib>
#include <optional>
#include <system_error>

namespace vtx {

namespace fs = std::filesystem;

namespace {

std::optional<GameFolders>& chosen() {
    static std::optional<GameFolders> folders;
    return folders;
}

fs::path currentDirOrDot() {
    std::error_code ec;
    fs::path dir = fs::current_path(ec);
    return ec ? fs::path(".") : dir;
}

std::string envOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

bool holdsGameData(const fs::path& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    return fs::is_regular_file(resolveDataPath(datafiles::kMessageFont, folder), ec);
}

GameFolders chooseGameFolders(const FolderFacts& facts) {
    if (holdsGameData(facts.currentDir)) return {facts.currentDir, facts.currentDir};

    GameFolders folders;
    const fs::path installed = (facts.programDir / facts.installedData).lexically_normal();
    if (holdsGameData(facts.programDir))
        folders.dataRoot = facts.programDir;
    else if (!facts.programDir.empty())
        folders.dataRoot = installed; // also when missing: a failed load then names the file there
    else
        folders.dataRoot = facts.currentDir;

    // The XDG rule: a relative XDG_DATA_HOME is invalid and ignored.
    if (!facts.xdgDataHome.empty() && fs::path(facts.xdgDataHome).is_absolute())
        folders.userRoot = fs::path(facts.xdgDataHome) / "vortalix3d";
    else if (!facts.home.empty())
        folders.userRoot = fs::path(facts.home) / ".local" / "share" / "vortalix3d";
    else
        folders.userRoot = facts.currentDir; // nowhere better to keep them
    return folders;
}

FolderFacts currentFolderFacts(const fs::path& installedData) {
    FolderFacts facts;
    facts.currentDir = currentDirOrDot();
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) facts.programDir = program.parent_path();
    facts.installedData = installedData;
    facts.xdgDataHome = envOrEmpty("XDG_DATA_HOME");
    facts.home = envOrEmpty("HOME");
    return facts;
}

void setGameFolders(const GameFolders& folders) {
    chosen() = folders;
}

fs::path dataRoot() {
    return chosen() ? chosen()->dataRoot : currentDirOrDot();
}

fs::path userRoot() {
    return chosen() ? chosen()->userRoot : currentDirOrDot();
}

std::string createUserRoot(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return "Cannot create the folder " + folder.string() + ": " + ec.message();
    if (!fs::is_directory(folder, ec)) return "Not a folder: " + folder.string();
    return {};
}

std::string setUpGameFolders(const fs::path& installedData) {
    const GameFolders folders = chooseGameFolders(currentFolderFacts(installedData));
    setGameFolders(folders);
    return createUserRoot(folders.userRoot);
}

} // namespace vtx
