#include "game/PadStr.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(PadStr, PadsOnTheRequestedSideOrCuts)
{
    EXPECT_EQ(PadStr("abc", 5, PadSide::Right), "abc  ");
    EXPECT_EQ(PadStr("42", 3, PadSide::Left), " 42");
    EXPECT_EQ(PadStr("1234", 3, PadSide::Left), "123"); // the points field keeps its first three
    EXPECT_EQ(PadStr("exact", 5, PadSide::Right), "exact");
    EXPECT_EQ(PadStr("", 2, PadSide::Right), "  ");
    EXPECT_EQ(PadStr("abc", 0, PadSide::Right), "");
}

} // namespace
} // namespace vtx
