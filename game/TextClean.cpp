#include "game/TextClean.h"

#include <algorithm>
#include <iterator>

namespace vtx {

namespace {

bool isBlank(char c, Blank blank) {
    switch (blank) {
    case Blank::Space:
        return c == ' ';
    case Blank::SpaceOrTab:
        return c == ' ' || c == '\t';
    case Blank::SpaceOrControl:
        return static_cast<unsigned char>(c) <= ' ';
    }
    return false;
}

} // namespace

std::string_view trimTrailingBlanks(std::string_view text, Blank blank) {
    while (!text.empty() && isBlank(text.back(), blank))
        text.remove_suffix(1);
    return text;
}

std::string_view trimBlanks(std::string_view text, Blank blank) {
    while (!text.empty() && isBlank(text.front(), blank))
        text.remove_prefix(1);
    return trimTrailingBlanks(text, blank);
}

bool isControlChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < ' ' || code == 0x7f;
}

std::string controlCharsToQuestionMarks(std::string text) {
    std::replace_if(text.begin(), text.end(), isControlChar, '?');
    return text;
}

std::string removeControlChars(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return !isControlChar(c); });
    return kept;
}

} // namespace vtx
