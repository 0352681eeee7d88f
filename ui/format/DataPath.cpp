#include "ui/format/DataPath.h"

#include <system_error>
#include <vector>
#include <string>

namespace vtx {

namespace fs = std::filesystem;

namespace {

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::vector<std::string> splitComponents(std::string_view gamePath)
{
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

} // namespace

fs::path resolveDataPath(std::string_view gamePath, const fs::path& base)
{
    const auto parts = splitComponents(gamePath);
    fs::path found = base;
    std::error_code ec;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        fs::path exact = found / parts[i];
        if (fs::exists(exact, ec)) {
            found = exact;
            continue;
        }
        bool matched = false;
        for (fs::directory_iterator it(found, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (equalsNoCase(name, parts[i])) {
                found = it->path();
                matched = true;
                break;
            }
        }
        if (!matched) {
            for (std::size_t j = i; j < parts.size(); ++j) found /= parts[j];
            return found;
        }
    }
    return found;
}

fs::path resolveDataPath(std::string_view gamePath)
{
    std::error_code ec;
    fs::path base = fs::current_path(ec);
    if (ec) base = ".";
    return resolveDataPath(gamePath, base);
}

} // namespace vtx
