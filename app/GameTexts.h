#pragma once

// The texts the Qt-free rules hand to the screen, in the player's language.
//
// The rules keep their English texts (the status line's "Player Move", the
// message "Ships Arrangement Complete!", the HUD's "YOU WON THE GAME!"):
// tests and the LAN test's probe read them, and game/ knows nothing of
// languages. The main window puts them through here as it shows them. A
// text not known here is shown as it came.

#include <QString>

#include <string>
#include <string_view>

namespace vtx {

// The status line's and the message window's texts.
QString gameText(std::string_view english);
// A HUD message for the bitmap font: upper case, UTF-8.
std::string hudText(std::string_view english);

} // namespace vtx
