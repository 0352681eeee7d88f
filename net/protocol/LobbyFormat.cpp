#include "net/protocol/LobbyFormat.h"

#include "game/PadStr.h"
#include "game/TextClean.h"

#include <algorithm>

namespace vtx {

namespace {

constexpr int kServerAddressField = 17;
constexpr std::size_t kServerNameStart = 13; // character 14, the blank after "SYS$$Present:"
constexpr std::size_t kServerNameChars = 15; // characters 14..28
constexpr std::size_t kLineAddressChars = 15;
constexpr int kClientNameField = 15;
constexpr std::size_t kClientAddressChars = 12; // characters 16..27

std::string_view cut(std::string_view text, std::size_t from, std::size_t count) {
    if (from >= text.size()) return {};
    return text.substr(from, count);
}

// Blanks and control characters (codes up to 32) removed at both ends.
std::string trimmed(std::string_view text) {
    return std::string(trimBlanks(text, Blank::SpaceOrControl));
}

// One to three decimal digits with a value of at most 255.
bool isAddressField(std::string_view field) {
    if (field.empty() || field.size() > 3) return false;
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= 255;
}

} // namespace

std::string serverLine(std::string_view fromIP, std::string_view presenceText) {
    return padStr(fromIP, kServerAddressField, PadSide::Right) +
           controlCharsToQuestionMarks(trimmed(cut(presenceText, kServerNameStart, kServerNameChars)));
}

std::string serverLineAddress(std::string_view line) {
    return trimmed(cut(line, 0, kLineAddressChars));
}

std::vector<ClientEntry> readClientsFile(std::string_view bytes) {
    std::vector<ClientEntry> entries;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find('\n', pos);
        std::string_view line =
            bytes.substr(pos, end == std::string_view::npos ? bytes.size() - pos : end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) break;
        const std::string field = trimmed(cut(line, kClientNameField, std::string_view::npos));
        entries.push_back({trimmed(cut(line, 0, kClientNameField)),
                           trimmed(cut(line, kClientNameField, kClientAddressChars)),
                           isHostAddress(field) ? field : std::string(), field});
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    return entries;
}

std::string clientsFileLine(std::string_view name, std::string_view address) {
    return controlCharsToQuestionMarks(padStr(name, kClientNameField, PadSide::Right) +
                                       std::string(address)) +
           "\r\n";
}

void analyzeIp(std::string_view address, std::vector<std::string>& subnets) {
    std::size_t dots[3];
    std::size_t from = 0;
    for (std::size_t& dot : dots) {
        dot = address.find('.', from);
        if (dot == std::string_view::npos) return;
        from = dot + 1;
    }
    // Only a real network prefix becomes a destination of the presence broadcasts.
    if (!isAddressField(address.substr(0, dots[0])) ||
        !isAddressField(address.substr(dots[0] + 1, dots[1] - dots[0] - 1)) ||
        !isAddressField(address.substr(dots[1] + 1, dots[2] - dots[1] - 1)))
        return;
    std::string subnet(address.substr(0, dots[2] + 1));
    subnet += "255";
    if (std::find(subnets.begin(), subnets.end(), subnet) == subnets.end())
        subnets.push_back(std::move(subnet));
}

bool isHostAddress(std::string_view text) {
    int fields[4];
    std::size_t from = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? text.find('.', from) : text.size();
        if (dot == std::string_view::npos) return false;
        const std::string_view field = text.substr(from, dot - from);
        if (!isAddressField(field)) return false;
        fields[i] = std::stoi(std::string(field));
        from = dot + 1;
    }
    return fields[0] != 0 && fields[0] < 224 && fields[3] != 255;
}

} // namespace vtx
