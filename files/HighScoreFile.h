#pragma once

// "hscore.dat": the seven best results, scrambled so the file does not read
// as plain text.
//
// Exactly seven lines, row 1 first, each 40 single-byte characters + CR LF:
//   chars  1..10  padding: random codes 50..249, meaningless
//   chars 11..27  name, space-padded on the right to 17     } both scrambled
//   chars 28..30  points in decimal, space-padded on the    } by shiftText
//                 left to 3 (a longer number is cut to its first 3 characters)
//   chars 31..40  padding as above
// Scrambling subtracts kScoreShift from every record character when writing
// and adds it back when reading (codes wrap modulo 256). The shift is 1: a
// name or points character is printable (32..126, enforced when the record is
// built: control characters become '?'), so its scrambled code is 31..125 and
// never 10 (LF) or 13 (CR); Latin-1 letters 128..255 become 127..254. Padding
// codes 50..249 are never line ends either, so every line is exactly 40 bytes.
//
// Names are bytes here: the game writes them in UTF-8 (at most 15 bytes, cut
// where a character ends) and shows each row's name as UTF-8, or as Latin-1
// when it is not well-formed UTF-8, as earlier versions wrote it
// (TextEncoding.h). Either way every line stays 40 bytes.
//
// Reading takes characters 11..30 of each line by position, whatever the
// padding holds. Missing or short lines keep the "noname" row with an empty
// name and 0 points; a points field that is not a number reads as 0.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vtx {

inline constexpr int kScoreRows = 7;
inline constexpr int kScoreLineLength = 40;
inline constexpr int kScoreNameField = 17;
inline constexpr int kScorePointsField = 3;
inline constexpr int kScoreRecordLength = kScoreNameField + kScorePointsField; // 20
inline constexpr int kScoreNameLength = 15;
inline constexpr int kScoreShift = 1;

struct ScoreTable {
    std::array<std::string, kScoreRows> names{};   // at most 15 single-byte characters
    std::array<std::int32_t, kScoreRows> points{}; // descending by the insertion rule
    std::array<std::string, kScoreRows> captions;  // the 20-character row texts shown

    ScoreTable() { captions.fill("noname"); }
};

// Adds delta to every character code, wrapping modulo 256.
std::string shiftText(std::string_view text, int delta);

// The 20-character record of a row: padStr(name, 17, right) + padStr(points, 3, left),
// with control characters of the name replaced by '?'.
std::string scoreRecord(std::string_view name, std::int32_t points);

// Parses whatever bytes the file holds (any size, any content).
ScoreTable parseScoreFile(std::string_view bytes);

// Builds the seven lines. randomBelow(n) returns 0..n-1 (the caller seeds it;
// the game re-seeds from the time of day at each save). Also refreshes the
// table's captions to the written records.
std::string serializeScoreFile(ScoreTable& table, const std::function<int(int)>& randomBelow);

// The insertion rule: the result goes above the first row with strictly fewer
// points (so below equal results), rows below move down and row 7 falls out.
// Name is cut to 15 characters. Returns the row index 0..6, or -1 when no row
// has fewer points and the table is unchanged. Captions are not touched.
int insertScore(ScoreTable& table, std::string_view name, std::int32_t points);

} // namespace vtx
