#include "files/HighScoreFile.h"
#include "files/TextEncoding.h"

#include "game/PadStr.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace vtx {
namespace {

ScoreTable tableOf(const std::vector<int>& points) {
    ScoreTable t;
    for (std::size_t i = 0; i < points.size(); ++i) {
        t.names[i] = "row" + std::to_string(i + 1);
        t.points[i] = points[i];
    }
    return t;
}

std::vector<std::string> linesOf(const std::string& file) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < file.size()) {
        const auto end = file.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(file.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::function<int(int)> seeded(unsigned seed) {
    auto gen = std::make_shared<std::mt19937>(seed);
    return [gen](int n) { return std::uniform_int_distribution<int>(0, n - 1)(*gen); };
}

TEST(HighScoreFile, InsertionGoesBelowEqualResults) {
    ScoreTable t = tableOf({300, 250, 250, 200, 150, 100, 50});
    EXPECT_EQ(insertScore(t, "New", 250), 3);
    EXPECT_EQ(t.points, (std::array<std::int32_t, 7>{300, 250, 250, 250, 200, 150, 100}));
    EXPECT_EQ(t.names[3], "New");
    EXPECT_EQ(t.names[4], "row4");
    EXPECT_EQ(t.names[6], "row6"); // row 7 (50) fell out

    ScoreTable same = tableOf({300, 250, 250, 200, 150, 100, 50});
    const ScoreTable before = same;
    EXPECT_EQ(insertScore(same, "Low", 50), -1);
    EXPECT_EQ(same.points, before.points);
    EXPECT_EQ(same.names, before.names);
}

TEST(HighScoreFile, EmptyTableTakesPositiveResultsOnly) {
    ScoreTable t;
    EXPECT_EQ(insertScore(t, "Zero", 0), -1);
    EXPECT_EQ(insertScore(t, "Minus", -5), -1);
    EXPECT_EQ(insertScore(t, "A very long player name", 10), 0);
    EXPECT_EQ(t.names[0], "A very long pla"); // 15 characters
    EXPECT_EQ(t.points[0], 10);
}

TEST(HighScoreFile, LinesMatchTheLayoutByHand) {
    ScoreTable t;
    t.names[0] = "Bob";
    t.points[0] = 42;
    const std::string file = serializeScoreFile(t, [](int) { return 15; }); // padding code 65 'A'
    const auto lines = linesOf(file);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(file.size(), 7u * 42u);
    // "Bob" + 14 blanks + " 42", every code one lower: 'B'->'A', ' '->0x1F, '4'->'3'.
    const std::string record = std::string("Ana") + std::string(14, '\x1f') + "\x1f" + "31";
    EXPECT_EQ(lines[0], std::string(10, 'A') + record + std::string(10, 'A'));
    EXPECT_EQ(t.captions[0], "Bob               42");
    EXPECT_EQ(t.captions[1], "                   0");
}

TEST(HighScoreFile, ReadsAHandMadeFileByPosition) {
    // Padding may hold anything but line ends; the record sits at 11..30.
    std::string line =
        std::string(10, '\xF0') + std::string("Ana") + std::string(14, '\x1f') + "0/:" + std::string(10, '2');
    const ScoreTable t = parseScoreFile(line + "\r\n");
    EXPECT_EQ(t.names[0], "Bob            ");
    EXPECT_EQ(t.points[0], 0); // "10;" is not a number
    EXPECT_EQ(t.captions[0], "Bob              10;");
    EXPECT_EQ(t.captions[1], "noname");
}

TEST(HighScoreFile, RoundTripKeepsEveryRowAndNeverWritesLineEnds) {
    ScoreTable t = tableOf({999, 500, 250, 100, 10, 1, 0});
    t.names[0] = std::string("\xE9t\xE9 ~!") + '\x0b' + '\x0e'; // Latin-1 and control codes
    t.names[1] = "               ";                             // blanks only
    const std::string file = serializeScoreFile(t, seeded(7));
    const auto lines = linesOf(file);
    ASSERT_EQ(lines.size(), 7u);
    for (const auto& l : lines) {
        ASSERT_EQ(l.size(), 40u);
        EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos);
        for (int i : {0, 9, 30, 39}) {
            const int code = static_cast<unsigned char>(l[i]);
            EXPECT_GE(code, 50);
            EXPECT_LE(code, 249);
        }
    }
    const ScoreTable back = parseScoreFile(file);
    EXPECT_EQ(back.points, t.points);
    EXPECT_EQ(back.names[0], std::string("\xE9t\xE9 ~!??") + std::string(7, ' '));
    EXPECT_EQ(back.names[2], padStr("row3", 15, PadSide::Right));
    EXPECT_EQ(back.captions, t.captions);
}

TEST(HighScoreFile, TwoSavesDifferOnlyInThePadding) {
    ScoreTable t = tableOf({300, 250, 250, 200, 150, 100, 50});
    const auto a = linesOf(serializeScoreFile(t, seeded(1)));
    const auto b = linesOf(serializeScoreFile(t, seeded(2)));
    ASSERT_EQ(a.size(), 7u);
    ASSERT_EQ(b.size(), 7u);
    bool paddingDiffers = false;
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(a[row].substr(10, 20), b[row].substr(10, 20));
        paddingDiffers = paddingDiffers || a[row].substr(0, 10) != b[row].substr(0, 10) ||
                         a[row].substr(30) != b[row].substr(30);
    }
    EXPECT_TRUE(paddingDiffers);
}

TEST(HighScoreFile, PointsWiderThanTheFieldAreCut) {
    ScoreTable t;
    t.names[0] = "Ace";
    t.points[0] = 1234;
    const std::string file = serializeScoreFile(t, seeded(3));
    EXPECT_EQ(t.captions[0], "Ace              123");
    EXPECT_EQ(parseScoreFile(file).points[0], 123);
}

TEST(HighScoreFile, BrokenFilesGiveNonameRowsWithoutHarm) {
    ScoreTable full = tableOf({70, 60, 50, 40, 30, 20, 10});
    const std::string good = serializeScoreFile(full, seeded(4));

    // Three lines only: the rest keep "noname", empty names, 0 points.
    const ScoreTable shortFile = parseScoreFile(good.substr(0, 3 * 42));
    EXPECT_EQ(shortFile.points[2], 50);
    EXPECT_EQ(shortFile.captions[3], "noname");
    EXPECT_EQ(shortFile.names[3], "");
    EXPECT_EQ(shortFile.points[6], 0);

    // A line cut inside the record gives what it has.
    const ScoreTable cut = parseScoreFile(good.substr(0, 20));
    EXPECT_EQ(cut.names[0], "row1      "); // ten record characters present
    EXPECT_EQ(cut.points[0], 0);

    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>((i * 2654435761u) >> 24);
    const std::string noLineEnds(10 * 1024 * 1024, '\x7f');
    for (const std::string& bytes :
         {std::string(), garbage, noLineEnds, std::string("\r\n\r\n\n\n"), std::string(1000, '\n')}) {
        const ScoreTable t = parseScoreFile(bytes);
        for (int row = 0; row < 7; ++row) {
            EXPECT_LE(t.names[row].size(), 15u);
            EXPECT_LE(t.captions[row].size(), 20u);
        }
    }
    EXPECT_EQ(parseScoreFile(noLineEnds).names[0], std::string(15, '\x80'));
}

// Names beyond ASCII are written in UTF-8 and shown with the points in their
// column; a Latin-1 name of an earlier version's file reads the same.
TEST(HighScoreFile, NamesBeyondAsciiRoundTripAndOldLatin1NamesStillRead) {
    ScoreTable t = tableOf({300, 200, 100, 50, 40, 30, 20});
    insertScore(t, cutUtf8("Łucja Zając-Wójcik", kScoreNameLength), 400);
    insertScore(t, cutUtf8("Ярослава", kScoreNameLength), 350); // 16 bytes: cut to 7 letters
    t.names[2] = "\xE9t\xE9";                                   // an earlier version's Latin-1
    const ScoreTable back = parseScoreFile(serializeScoreFile(t, seeded(5)));
    EXPECT_EQ(legacyToUtf8(back.names[0]), "Łucja Zając-W"); // 15 bytes
    EXPECT_EQ(legacyToUtf8(back.names[1]), "Ярослав ");
    EXPECT_EQ(legacyToUtf8(back.names[2]), "été" + std::string(12, ' '));
    EXPECT_EQ(scoreCaptionForDisplay(back.captions[0]), "Łucja Zając-W" + std::string(4, ' ') + "400");
    EXPECT_EQ(scoreCaptionForDisplay(back.captions[1]), "Ярослав" + std::string(10, ' ') + "350");
    EXPECT_EQ(scoreCaptionForDisplay(back.captions[2]), "été" + std::string(14, ' ') + "300");
    EXPECT_EQ(scoreCaptionForDisplay("noname"), "noname");
    EXPECT_EQ(cutUtf8("Jó", 2), "J"); // never half a character
    EXPECT_FALSE(isUtf8("\xC3("));
    EXPECT_FALSE(isUtf8("\xED\xA0\x80")); // a surrogate
    EXPECT_EQ(utf8Length("Łódź"), 4u);
}

} // namespace
} // namespace vtx
