#include "game/PadStr.h"
#include "game/TextClean.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(PadStr, PadsOnTheRequestedSideOrCuts) {
    EXPECT_EQ(padStr("abc", 5, PadSide::Right), "abc  ");
    EXPECT_EQ(padStr("42", 3, PadSide::Left), " 42");
    EXPECT_EQ(padStr("1234", 3, PadSide::Left), "123"); // the points field keeps its first three
    EXPECT_EQ(padStr("exact", 5, PadSide::Right), "exact");
    EXPECT_EQ(padStr("", 2, PadSide::Right), "  ");
    EXPECT_EQ(padStr("abc", 0, PadSide::Right), "");
}

// Each caller's idea of blank is kept: a wire field keeps its tab, an INI
// line drops it, a lobby name drops every code up to the blank at its ends.
TEST(TextClean, TrimsWhatEachKindCallsBlankAndMasksControls) {
    EXPECT_EQ(trimBlanks("  7\t "), "7\t");
    EXPECT_EQ(trimBlanks(" \t7\t ", Blank::SpaceOrTab), "7");
    EXPECT_EQ(trimBlanks("\r\x01 Bob \x7f\n", Blank::SpaceOrControl), "Bob \x7f");
    EXPECT_EQ(trimTrailingBlanks("  Bob  "), "  Bob");
    EXPECT_EQ(controlCharsToQuestionMarks("a\r\nb\x7f\x80"), "a??b?\x80");
}

} // namespace
} // namespace vtx
