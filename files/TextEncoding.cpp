#include "files/TextEncoding.h"

#include "files/HighScoreFile.h"
#include "game/TextClean.h"

namespace vtx {

namespace {

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
std::size_t sequenceAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;  // no overlong forms
        if (lead == 0xED) high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return length;
}

} // namespace

bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceAt(bytes, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string legacyToUtf8(std::string_view bytes) {
    if (isUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string cutUtf8(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t n = sequenceAt(text, end);
        const std::size_t step = n == 0 ? 1 : n;
        if (end + step > maxBytes) break;
        end += step;
    }
    return std::string(text.substr(0, end));
}

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

std::string scoreCaptionForDisplay(std::string_view caption) {
    if (caption.size() != std::size_t(kScoreRecordLength)) return legacyToUtf8(caption);
    std::string name = legacyToUtf8(caption.substr(0, kScoreNameField));
    // The name field's padding may hold a cut character's blanks: keep the
    // visible name, pad by characters.
    name.resize(trimTrailingBlanks(name).size());
    const std::size_t shown = utf8Length(name);
    if (shown < std::size_t(kScoreNameField)) name.append(std::size_t(kScoreNameField) - shown, ' ');
    return name + legacyToUtf8(caption.substr(kScoreNameField));
}

} // namespace vtx
