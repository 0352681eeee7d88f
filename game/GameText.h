#pragma once

// How the rules mark a text that reaches the player's screen.
//
// game/ knows no languages: its texts are English and stay so for the tests
// and the LAN test's probe. VTX_TEXT(context, text) is the text itself; the
// translation tools read the mark (lupdate's -tr-function-alias
// QT_TRANSLATE_NOOP+=VTX_TEXT,QT_TRANSLATE_N_NOOP+=VTX_TEXT_N), and the app
// translates the text under that context where it shows it (app/GameTexts.h).
// Every text of the rules and the view uses the context "GameTexts".
//
// A text with a count (VTX_TEXT_N) carries "%n" where the number goes and
// "(s)" where English says "s" for every count but 1; each language gives its
// own plural forms for it.

#include <cstdint>
#include <string>
#include <string_view>

#define VTX_TEXT(context, text) text
// A text with a count: "%n" where the number goes (translated with plural
// forms; the tools read it as QT_TRANSLATE_N_NOOP).
#define VTX_TEXT_N(context, text) text

namespace vtx {

// The English form of a counted text: "%n ship(s) left." with 1 ->
// "1 ship left.", with 3 -> "3 ships left.".
inline std::string englishCounted(std::string_view text, std::int32_t count) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "%n") {
            out += std::to_string(count);
            ++i;
        } else if (text.substr(i, 3) == "(s)") {
            if (count != 1) out += 's';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace vtx
