#include "files/IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace vtx {
namespace {

TEST(IniFile, ReadsValuesWithCrLfOrLfAndAnyCase) {
    for (const std::string eol : {"\r\n", "\n"}) {
        const auto ini = IniFile::parse("[other]" + eol + "PlayerName=Wrong" + eol + "[OPTIONS]" + eol +
                                        "  playername = Anna Karenina " + eol + "EnableSound=1" + eol);
        EXPECT_EQ(ini.readString("Options", "PlayerName", "x"), "Anna Karenina");
        EXPECT_TRUE(ini.readBool("options", "ENABLESOUND", false));
        EXPECT_EQ(ini.readString("Options", "Missing", "dflt"), "dflt");
    }
}

// A file edited by hand may indent with tabs: they pad a value as blanks do.
TEST(IniFile, StringValuesPaddedWithTabsReadWithoutThem) {
    const auto ini = IniFile::parse("[Options]\r\nPlayerName=\t \tAnna\tKarenina\t\t\r\n");
    EXPECT_EQ(ini.readString("Options", "PlayerName", "x"), "Anna\tKarenina");
}

TEST(IniFile, IntegersAndBooleansFollowTheReaderRules) {
    const auto ini = IniFile::parse("[Options]\nA=12\nB=-3\nC=12abc\nD=\nE=2\nF=0\nG=99999999999\nH= 7 \n");
    EXPECT_EQ(ini.readInteger("Options", "A", 5), 12);
    EXPECT_EQ(ini.readInteger("Options", "B", 5), -3);
    EXPECT_EQ(ini.readInteger("Options", "C", 5), 5);
    EXPECT_EQ(ini.readInteger("Options", "D", 5), 5);
    EXPECT_EQ(ini.readInteger("Options", "G", 5), 5);
    EXPECT_EQ(ini.readInteger("Options", "H", 5), 7);
    EXPECT_TRUE(ini.readBool("Options", "E", false)); // any non-zero integer
    EXPECT_FALSE(ini.readBool("Options", "F", true));
    EXPECT_TRUE(ini.readBool("Options", "C", true)); // not an integer: the default
    EXPECT_EQ(parseIniInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseIniInteger("2147483648"), std::nullopt);
}

TEST(IniFile, UpdatesInPlaceAndKeepsWhatItDoesNotKnow) {
    auto ini =
        IniFile::parse("; comment\r\n[Options]\r\nsong=4\r\nWindowX=100\r\n\r\n[Net]\r\nPort=6868\r\n");
    ini.writeInteger("Options", "Song", 7);
    ini.setValue("Options", "PlayerName", "Bob");
    ini.setValue("Extra", "Key", "v");
    EXPECT_EQ(ini.serialize(), "; comment\r\n[Options]\r\nsong=7\r\nWindowX=100\r\nPlayerName=Bob\r\n\r\n"
                               "[Net]\r\nPort=6868\r\n[Extra]\r\nKey=v\r\n");
}

TEST(IniFile, ValuesNeverSplitIntoTwoLines) {
    IniFile ini;
    ini.setValue("Options", "PlayerName", "a\r\n[Evil]\nb");
    const auto again = IniFile::parse(ini.serialize());
    EXPECT_EQ(again.lines().size(), 2u);
    EXPECT_EQ(again.readString("Options", "PlayerName", ""), "a  [Evil] b");
}

TEST(IniFile, GarbageAndHugeLinesAreReadWithoutHarm) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    const std::string hugeLine(10 * 1024 * 1024, 'x');
    for (const std::string& text : {garbage, hugeLine, std::string("[Options"), std::string("=\n[]\n=="),
                                    std::string("[Options]\nDifficulty") + '\0' + "=2\n"}) {
        const auto ini = IniFile::parse(text);
        EXPECT_EQ(ini.readInteger("Options", "Difficulty", 0), 0);
        auto copy = ini;
        copy.writeInteger("Options", "Difficulty", 1);
        EXPECT_EQ(IniFile::parse(copy.serialize()).readInteger("Options", "Difficulty", 0), 1);
    }
}

} // namespace
} // namespace vtx
