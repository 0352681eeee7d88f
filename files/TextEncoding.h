#pragma once

// The encoding of the player's own texts in the game's files (the player's
// name in "vtx.ini" and the names in "hscore.dat"): UTF-8. Earlier versions
// wrote single-byte Latin-1; a text that is not well-formed UTF-8 is read as
// Latin-1, so such files still read the same. (A Latin-1 name that happens
// to be well-formed UTF-8 would need two or more accented capitals and
// marks in a row, as in "Ã©": no name a player types.)

#include <cstddef>
#include <string>
#include <string_view>

namespace vtx {

bool isUtf8(std::string_view bytes);
// UTF-8 as it is; anything else taken as Latin-1 and made UTF-8.
std::string legacyToUtf8(std::string_view bytes);
// The longest start of a UTF-8 text of at most maxBytes bytes that ends on a
// character boundary.
std::string cutUtf8(std::string_view text, std::size_t maxBytes);
// Characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

// A high-score row as the window shows it (a monospaced 20-column line):
// the 17-byte name field and the 3-character points of a file record, the
// name decoded and padded to 17 characters so the points stay in their
// column. Captions that are no record ("noname") are returned decoded.
std::string scoreCaptionForDisplay(std::string_view caption);

} // namespace vtx
