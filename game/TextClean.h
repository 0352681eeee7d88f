#pragma once

#include <string>
#include <string_view>

// Trimming and cleaning the names and fields that come from files, the
// player and the network.
namespace vtx {

// What counts as blank at the ends of a text.
enum class Blank {
    // ' ' only: the padding of fixed-width fields (cell names, the wire).
    Space,
    // ' ' and tab: the lines of the INI files.
    SpaceOrTab,
    // Every code up to ' ': names and addresses of the LAN lobby, where a
    // stray control character must not survive at an end either.
    SpaceOrControl,
};

std::string_view trimBlanks(std::string_view text, Blank blank = Blank::Space);
std::string_view trimTrailingBlanks(std::string_view text, Blank blank = Blank::Space);

// Codes 0..31 and 127: they would break a line or a list entry.
bool isControlChar(char c);
// For a name written into a line-based file or a list ("clients.cfg",
// "hscore.dat", the lobby's lines of plain names): each control character
// becomes '?', so the entry can never split and keeps its length.
std::string controlCharsToQuestionMarks(std::string text);
// For UTF-8 text that travels or is shown as it was written (a tagged
// presence's name, a chat line): the control characters are left out, as if
// never typed.
std::string removeControlChars(std::string_view text);

} // namespace vtx
