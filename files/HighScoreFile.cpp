#include "files/HighScoreFile.h"

#include "files/IniFile.h"
#include "game/PadStr.h"
#include "game/TextClean.h"

#include <algorithm>

namespace vtx {

std::string shiftText(std::string_view text, int delta) {
    std::string out(text);
    for (char& c : out) {
        const int code = static_cast<unsigned char>(c);
        c = static_cast<char>(static_cast<unsigned char>((code + delta) & 0xFF));
    }
    return out;
}

std::string scoreRecord(std::string_view name, std::int32_t points) {
    return padStr(controlCharsToQuestionMarks(std::string(name)), kScoreNameField, PadSide::Right) +
           padStr(std::to_string(points), kScorePointsField, PadSide::Left);
}

ScoreTable parseScoreFile(std::string_view bytes) {
    ScoreTable table;
    for (int row = 0; row < kScoreRows && !bytes.empty(); ++row) {
        const auto lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        bytes = lf == std::string_view::npos ? std::string_view{} : bytes.substr(lf + 1);

        // Characters 11..30 by position; a short line gives what it has.
        const std::string_view stored =
            line.size() > 10 ? line.substr(10, kScoreRecordLength) : std::string_view{};
        const std::string record = shiftText(stored, kScoreShift);
        table.captions[row] = padStr(record, kScoreRecordLength, PadSide::Right);
        table.names[row] = record.substr(0, std::min<std::size_t>(record.size(), kScoreNameLength));
        const std::string pointsText = record.size() > kScoreNameField
                                           ? record.substr(kScoreNameField, kScorePointsField)
                                           : std::string{};
        table.points[row] = parseIniInteger(pointsText).value_or(0);
    }
    return table;
}

std::string serializeScoreFile(ScoreTable& table, const std::function<int(int)>& randomBelow) {
    auto padding = [&] {
        std::string pad(10, ' ');
        for (char& c : pad) {
            int r = randomBelow(200);
            if (r < 0 || r >= 200) r = 0; // a faulty generator must not make line ends
            c = static_cast<char>(static_cast<unsigned char>(50 + r));
        }
        return pad;
    };
    std::string out;
    out.reserve(static_cast<std::size_t>(kScoreRows) * (kScoreLineLength + 2));
    for (int row = 0; row < kScoreRows; ++row) {
        const std::string record = scoreRecord(table.names[row], table.points[row]);
        table.captions[row] = record;
        out += padding();
        out += shiftText(record, -kScoreShift);
        out += padding();
        out += "\r\n";
    }
    return out;
}

int insertScore(ScoreTable& table, std::string_view name, std::int32_t points) {
    for (int i = 0; i < kScoreRows; ++i) {
        if (table.points[i] < points) {
            for (int j = kScoreRows - 1; j > i; --j) {
                table.names[j] = table.names[j - 1];
                table.points[j] = table.points[j - 1];
            }
            table.names[i] =
                std::string(name.substr(0, std::min<std::size_t>(name.size(), kScoreNameLength)));
            table.points[i] = points;
            return i;
        }
    }
    return -1;
}

} // namespace vtx
