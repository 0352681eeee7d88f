#include "files/IniFile.h"

#include "files/AsciiCase.h"
#include "game/TextClean.h"

#include <cstdint>

namespace vtx {

namespace {

// Tabs indent INI lines as blanks do.
std::string_view trim(std::string_view s) {
    return trimBlanks(s, Blank::SpaceOrTab);
}

} // namespace

std::optional<int> parseIniInteger(std::string_view text) {
    text = trim(text);
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 2147483648LL) return std::nullopt;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL) return std::nullopt;
    return static_cast<int>(signedValue);
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    while (!text.empty()) {
        const auto lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ini.m_lines.emplace_back(line);
        if (lf == std::string_view::npos) break;
        text.remove_prefix(lf + 1);
    }
    return ini;
}

std::string IniFile::serialize() const {
    std::size_t size = 0;
    for (const auto& line : m_lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<std::string_view> IniFile::sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

std::optional<IniFile::KeyLine> IniFile::keyLine(std::string_view line) {
    const auto trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    bool inSection = false;
    bool seenSection = false;
    for (const auto& line : m_lines) {
        if (const auto name = sectionName(line)) {
            // Only the first section of that name counts.
            if (inSection) return std::nullopt;
            inSection = !seenSection && equalsIgnoringAsciiCase(*name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) continue;
        if (const auto kv = keyLine(line); kv && equalsIgnoringAsciiCase(kv->key, key))
            return std::string(kv->value);
    }
    return std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    auto v = value(section, key);
    return v ? *v : std::string(fallback);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const {
    const auto v = value(section, key);
    if (!v) return fallback;
    return parseIniInteger(*v).value_or(fallback);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    // A line break inside a value would split it into two lines on the next
    // read; the game's values are single-line, so breaks become blanks.
    std::string clean(value);
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    value = clean;
    std::string newLine = std::string(key) + "=" + clean;
    std::size_t sectionLine = m_lines.size();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = sectionName(m_lines[i]); name && equalsIgnoringAsciiCase(*name, section)) {
            sectionLine = i;
            break;
        }
    }
    if (sectionLine == m_lines.size()) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::move(newLine));
        return;
    }
    // Insert after the section's last non-blank line, keeping blank separators
    // before the next section where they are.
    std::size_t insertAt = sectionLine + 1;
    for (std::size_t i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (sectionName(m_lines[i])) break;
        if (const auto kv = keyLine(m_lines[i]); kv && equalsIgnoringAsciiCase(kv->key, key)) {
            // Keep the key's spelling as the file has it.
            m_lines[i] = std::string(kv->key) + "=" + std::string(value);
            return;
        }
        if (!trim(m_lines[i]).empty()) insertAt = i + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    setValue(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    setValue(section, key, value ? "1" : "0");
}

} // namespace vtx
