#include "files/ReplayFolder.h"

#include "files/FileIo.h"
#include "files/GameFolders.h"
#include "files/ReplayFile.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <system_error>

namespace vtx {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "replay-";
constexpr std::string_view kSuffix = ".vtxr";
// "YYYYMMDD-HHMMSS-NN": digits everywhere but the two dashes.
constexpr std::string_view kStamp = "99999999-999999-99";
constexpr std::int64_t kLastSecond = 253402300799; // 9999-12-31 23:59:59 UTC

bool ownFile(const fs::directory_entry& entry) {
    std::error_code ec;
    return entry.symlink_status(ec).type() == fs::file_type::regular && !ec &&
           isReplayFileName(entry.path().filename().string());
}

// Oldest first.
std::vector<fs::path> ownFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return files;
    for (const fs::directory_entry& entry : it) {
        if (ownFile(entry)) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return files;
}

bool nameFree(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() == fs::file_type::not_found;
}

} // namespace

fs::path replayFolder() {
    return userRoot() / ReplayFolderName;
}

std::string replayFileName(std::int64_t unixSeconds, int serial) {
    const std::time_t t = std::time_t(std::clamp<std::int64_t>(unixSeconds, 0, kLastSecond));
    std::tm utc{};
    gmtime_r(&t, &utc);
    char stamp[80]; // more than the 18 characters: the compiler cannot see the fields are in range
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d-%02d", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, std::clamp(serial, 0, 99));
    return std::string(kPrefix) + stamp + std::string(kSuffix);
}

bool isReplayFileName(std::string_view name) {
    if (name.size() != kPrefix.size() + kStamp.size() + kSuffix.size()) return false;
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
    const std::string_view stamp = name.substr(kPrefix.size(), kStamp.size());
    for (std::size_t i = 0; i < kStamp.size(); ++i) {
        const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
        if (kStamp[i] == '9' ? !digit : stamp[i] != kStamp[i]) return false;
    }
    return true;
}

std::vector<fs::path> replayFiles(const fs::path& folder) {
    std::vector<fs::path> files = ownFiles(folder);
    std::reverse(files.begin(), files.end());
    return files;
}

std::vector<ReplayListing> readReplayFolder(const fs::path& folder) {
    std::vector<fs::path> files = replayFiles(folder);
    if (files.size() > ReplaysKept) files.resize(ReplaysKept);
    std::vector<ReplayListing> list;
    list.reserve(files.size());
    for (fs::path& path : files) {
        // One byte over the limit tells a file too large from one just at it.
        const FileReadResult bytes = readFileBytes(path, ReplayFileMaxBytes + 1);
        ReplayListing entry{std::move(path), {}};
        if (bytes.readError || !bytes.exists) {
            entry.read.error = ReplayError::CannotRead;
            entry.read.detail = "cannot be read";
        } else {
            entry.read = readReplayFile(bytes.bytes);
        }
        list.push_back(std::move(entry));
    }
    return list;
}

std::optional<std::string> keepReplay(const fs::path& folder, const Replay& replay, std::size_t keep) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec))
        return "Can't keep the match: no folder " + folder.string() + (ec ? " (" + ec.message() + ")" : "");

    // A name nothing holds yet, nor its temporary: an existing entry, link
    // or not, is never written through or replaced.
    fs::path path;
    for (int serial = 0; serial <= 99 && path.empty(); ++serial) {
        const fs::path candidate = folder / replayFileName(replay.startedAt, serial);
        fs::path temp = candidate;
        temp += ".tmp";
        if (nameFree(candidate) && nameFree(temp)) path = candidate;
    }
    if (path.empty()) return "Can't keep the match: every name of its second is taken";
    if (auto error = writeFileAtomic(path, replayFileBytes(replay))) return error;

    std::vector<fs::path> others = ownFiles(folder);
    std::erase(others, path);
    const std::size_t excess =
        others.size() + 1 > keep ? std::min(others.size() + 1 - keep, others.size()) : 0;
    std::optional<std::string> trouble;
    for (std::size_t i = 0; i < excess; ++i) {
        fs::remove(others[i], ec);
        if (ec) trouble = "Can't remove " + others[i].filename().string() + ": " + ec.message();
    }
    return trouble;
}

} // namespace vtx
