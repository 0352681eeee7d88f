#include "ui/format/OptionsFile.h"

#include "ui/format/DataPath.h"
#include "ui/format/FileIo.h"
#include "ui/format/IniFile.h"

namespace vtx {

namespace fs = std::filesystem;

fs::path optionsIniPath(const fs::path& startDir) {
    return resolveDataPath("vtx.ini", startDir);
}

fs::path vortalixIniPath(const fs::path& startDir) {
    return resolveDataPath("vortalix.ini", startDir);
}

IniFile loadIniFile(const fs::path& path) {
    const auto read = readFileBytes(path, kMaxIniBytes);
    if (!read.exists) return IniFile{};
    return IniFile::parse(read.bytes);
}

StoredOptions readStoredOptions(const IniFile& ini) {
    StoredOptions o;
    o.playerName = ini.readString(kOptionsSection, "PlayerName", "");
    o.shipsManualArranging = ini.readBool(kOptionsSection, "ShipsManualArranging", false);
    o.enableSound = ini.readBool(kOptionsSection, "EnableSound", false);
    o.enableMusic = ini.readBool(kOptionsSection, "EnableMusic", false);
    o.song = ini.readInteger(kOptionsSection, "Song", 0);
    o.difficulty = ini.readInteger(kOptionsSection, "Difficulty", 0);
    if (o.difficulty < 0 || o.difficulty > 2) o.difficulty = -1;
    return o;
}

StoredOptions readStoredOptions(const fs::path& startDir) {
    return readStoredOptions(loadIniFile(optionsIniPath(startDir)));
}

void writeStoredOptions(IniFile& ini, const StoredOptions& o) {
    ini.setValue(kOptionsSection, "PlayerName", o.playerName);
    ini.writeBool(kOptionsSection, "ShipsManualArranging", o.shipsManualArranging);
    ini.writeBool(kOptionsSection, "EnableSound", o.enableSound);
    ini.writeBool(kOptionsSection, "EnableMusic", o.enableMusic);
    ini.writeInteger(kOptionsSection, "Difficulty", o.difficulty);
}

std::optional<std::string> saveStoredOptions(const fs::path& startDir, const StoredOptions& options) {
    const fs::path path = optionsIniPath(startDir);
    IniFile ini = loadIniFile(path);
    writeStoredOptions(ini, options);
    return writeFileAtomic(path, ini.serialize());
}

std::optional<std::string> saveSong(const fs::path& startDir, int song) {
    const fs::path path = optionsIniPath(startDir);
    IniFile ini = loadIniFile(path);
    ini.writeInteger(kOptionsSection, "Song", song);
    return writeFileAtomic(path, ini.serialize());
}

int readVortalixDifficulty(const fs::path& startDir) {
    return loadIniFile(vortalixIniPath(startDir)).readInteger(kOptionsSection, "Difficulty", 0);
}

} // namespace vtx
