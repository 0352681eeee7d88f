#include "game/PadStr.h"

namespace vtx {

std::string padStr(std::string_view text, int width, PadSide side) {
    if (width <= 0) return {};
    const auto w = static_cast<std::size_t>(width);
    if (text.size() >= w) return std::string(text.substr(0, w));
    const std::string blanks(w - text.size(), ' ');
    return side == PadSide::Right ? std::string(text) + blanks : blanks + std::string(text);
}

} // namespace vtx
