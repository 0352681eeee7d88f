#include "files/OptionsFile.h"

#include "files/DataPath.h"
#include "files/FileIo.h"
#include "files/IniFile.h"
#include "files/TextEncoding.h"
#include "game/GameTypes.h"

#include <functional>
#include <utility>

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
    // UTF-8; a name written in Latin-1 by an earlier version reads the same.
    o.playerName = legacyToUtf8(ini.readString(kOptionsSection, "PlayerName", ""));
    o.shipsManualArranging = ini.readBool(kOptionsSection, "ShipsManualArranging", false);
    o.enableSound = ini.readBool(kOptionsSection, "EnableSound", false);
    o.enableMusic = ini.readBool(kOptionsSection, "EnableMusic", false);
    o.song = ini.readInteger(kOptionsSection, "Song", 0);
    o.difficulty = ini.readInteger(kOptionsSection, "Difficulty", 0);
    if (!validLevelIndex(o.difficulty)) o.difficulty = -1;
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

namespace {

// Read-modify-write that never loses what the file held: a file that exists
// but cannot be read whole is left alone and the save is refused.
std::optional<std::string> updateIniFile(const fs::path& path, const std::function<void(IniFile&)>& change) {
    const auto read = readFileBytes(path, kMaxIniBytes);
    const std::string name = path.filename().string();
    if (read.readError) return "Can't save " + name + ": the file cannot be read";
    if (read.truncated) return "Can't save " + name + ": the file is too large";
    IniFile ini = read.exists ? IniFile::parse(read.bytes) : IniFile{};
    change(ini);
    return writeFileAtomic(path, ini.serialize());
}

} // namespace

std::optional<std::string> saveStoredOptions(const fs::path& startDir, const StoredOptions& options) {
    return updateIniFile(optionsIniPath(startDir), [&](IniFile& ini) { writeStoredOptions(ini, options); });
}

namespace {

constexpr std::pair<const char*, std::optional<int> StoredSession::*> kSessionKeys[] = {
    {"EffectsLevel", &StoredSession::effectsLevel},
    {"MusicLevel", &StoredSession::musicLevel},
    {"WindowWidth", &StoredSession::windowWidth},
    {"WindowHeight", &StoredSession::windowHeight},
};

} // namespace

StoredSession readStoredSession(const IniFile& ini) {
    StoredSession session;
    for (const auto& [key, field] : kSessionKeys)
        if (const auto text = ini.value(kOptionsSection, key)) session.*field = parseIniInteger(*text);
    return session;
}

StoredSession readStoredSession(const fs::path& startDir) {
    return readStoredSession(loadIniFile(optionsIniPath(startDir)));
}

std::optional<std::string> saveStoredSession(const fs::path& startDir, const StoredSession& session) {
    return updateIniFile(optionsIniPath(startDir), [&](IniFile& ini) {
        for (const auto& [key, field] : kSessionKeys)
            if (session.*field) ini.writeInteger(kOptionsSection, key, *(session.*field));
    });
}

std::optional<std::string> saveSong(const fs::path& startDir, int song) {
    return updateIniFile(optionsIniPath(startDir),
                         [&](IniFile& ini) { ini.writeInteger(kOptionsSection, "Song", song); });
}

std::optional<int> readVortalixDifficulty(const fs::path& startDir) {
    const IniFile ini = loadIniFile(vortalixIniPath(startDir));
    if (!ini.value(kOptionsSection, "Difficulty")) return std::nullopt;
    const int level = ini.readInteger(kOptionsSection, "Difficulty", 0);
    return validLevelIndex(level) ? level : -1;
}

} // namespace vtx
