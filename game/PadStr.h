#pragma once

#include <string>
#include <string_view>

namespace vtx {

enum class PadSide { Left, Right };

// Pads text with blanks on the given side up to width, or cuts it to its first
// width characters when it is as long or longer. Used wherever the game writes
// fixed-width text columns (the high-score file and rows, the lobby lines).
std::string padStr(std::string_view text, int width, PadSide side);

} // namespace vtx
