#include "files/DataPath.h"

#include "files/AsciiCase.h"
#include "files/GameFolders.h"

#include <string>
#include <system_error>
#include <vector>

namespace vtx {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> splitComponents(std::string_view gamePath) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : gamePath) {
        if (c == '\\' || c == '/') {
            if (!current.empty() && current != ".") parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty() && current != ".") parts.push_back(current);
    return parts;
}

// Depth-first over every case-insensitive match of each component, the exact
// spelling first: "DATA" and "data" may both exist on a case-sensitive file
// system, and the file may be in either.
bool findPath(const std::vector<std::string>& parts, std::size_t i, const fs::path& at, fs::path& found) {
    if (i == parts.size()) {
        found = at;
        return true;
    }
    std::error_code ec;
    std::vector<fs::path> candidates;
    const fs::path exact = at / parts[i];
    if (fs::exists(exact, ec)) candidates.push_back(exact);
    for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name != parts[i] && equalsIgnoringAsciiCase(name, parts[i])) candidates.push_back(it->path());
    }
    for (const auto& candidate : candidates)
        if (findPath(parts, i + 1, candidate, found)) return true;
    return false;
}

} // namespace

fs::path resolveDataPath(std::string_view gamePath, const fs::path& base) {
    const auto parts = splitComponents(gamePath);
    fs::path found;
    if (findPath(parts, 0, base, found)) return found;
    fs::path asWritten = base;
    for (const auto& part : parts)
        asWritten /= part;
    return asWritten;
}

fs::path resolveDataPath(std::string_view gamePath) {
    return resolveDataPath(gamePath, dataRoot());
}

} // namespace vtx
