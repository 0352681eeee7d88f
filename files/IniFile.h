#pragma once

// A Windows INI text held as its lines, so that a rewrite keeps everything we
// do not understand: other sections, unknown keys, comments, blank lines.
//
// Format: "[Section]" header lines, then "Key=Value" lines. Section and key
// names match without regard to ASCII case; the first matching section and the
// first matching key in it win (as the Windows profile functions do). Values
// are stored as written and read with surrounding blanks removed. Text is read
// with CR LF or LF line ends and always written with CR LF, so the file stays
// interchangeable with the Windows build of the game.
//
// Any bytes are accepted (binary garbage, NULs, very long lines); what cannot
// be read as a key gives nothing, never a crash.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

class IniFile {
public:
    IniFile() = default;
    static IniFile parse(std::string_view text);

    // CR LF after every line.
    std::string serialize() const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // Decimal, optional sign, blanks around allowed; anything else (or a value
    // outside 32 bits) gives fallback.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    // A non-zero integer is true, zero false; anything else gives fallback.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

    // Updates the key in place when it exists; otherwise appends it to the end
    // of its section, creating the section at the end of the text when needed.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    struct KeyLine {
        std::string_view key;
        std::string_view value;
    };
    static std::optional<std::string_view> sectionName(std::string_view line);
    static std::optional<KeyLine> keyLine(std::string_view line);

    std::vector<std::string> m_lines;
};

// Parses a decimal 32-bit integer as the INI reader does; nullopt when the
// text is not one.
std::optional<int> parseIniInteger(std::string_view text);

} // namespace vtx
