#pragma once

// Comparison of names the way the game's files and folders are matched: ASCII letters without
// regard to case, every other byte as it is (no locale, no UTF-8 folding).

#include <cstddef>
#include <string_view>

namespace vtx {

inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

} // namespace vtx
