#pragma once

// The texts the Qt-free rules hand to the screen, in the player's language.
//
// The rules keep their English texts (the status line's "Player Move", the
// message "Ships Arrangement Complete!", the HUD's "YOU WON THE GAME!"),
// marked with VTX_TEXT("GameTexts", ...) where game/ (or scene/) defines
// them, so the translation tools find them there (game/GameText.h). The app
// puts them through here as it shows them. A text without a translation is
// shown as it came.

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx {

// The status line's and the message window's texts.
QString gameText(std::string_view english);
// A text with "%n" and "(s)" (game/GameText.h) in the plural form the
// language has for count; English when no translation has it.
QString gameText(std::string_view english, std::int32_t count);
// A HUD message for the bitmap font: upper case, UTF-8.
std::string hudText(std::string_view english);

} // namespace vtx
