#include "game/NetExtension.h"

#include "game/NetMessage.h"
#include "game/PadStr.h"
#include "game/TextClean.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace vtx::net {

namespace {

// "SYS$$Present: " is 14 characters; the name field follows it.
constexpr std::size_t PresenceNameStart = PresentMarker.size() + 1;

void putU32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

std::uint32_t getU32(std::span<const unsigned char> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t(bytes[at + std::size_t(i)]) << (8 * i);
    return value;
}

struct PayloadBounds {
    std::size_t least = 0;
    std::size_t most = 0;
};

std::optional<PayloadBounds> payloadBounds(FrameKind kind) {
    switch (kind) {
    case FrameKind::Ack:
    case FrameKind::Leave:
        return PayloadBounds{0, 0};
    case FrameKind::Fleet:
        return PayloadBounds{700, 700};
    case FrameKind::Move:
        return PayloadBounds{2, 2};
    case FrameKind::Chat:
        return PayloadBounds{3, 1 + PresenceUtf8Bytes + ChatTextBytes};
    case FrameKind::Rematch:
        return PayloadBounds{1, 1};
    case FrameKind::NextMatch:
        return PayloadBounds{4, 4};
    }
    return std::nullopt;
}

// Cuts UTF-8 to at most maxBytes, never inside a character.
void cutAtCharacter(std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

bool hasControls(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return isControlChar(c); });
}

} // namespace

std::string taggedPresence(std::string_view latin1Name, std::string_view utf8Name) {
    // The plain presence with the name padded, so the tag stands at a known place.
    std::string text = presenceMessage(padStr(latin1Name, int(PresenceNameWidth), PadSide::Right));
    text += CapabilityTag;
    std::string name = removeControlChars(utf8Name);
    cutAtCharacter(name, PresenceUtf8Bytes);
    if (validUtf8(name)) text += name;
    return text;
}

namespace {

// Where the tag of a tagged presence stands; npos when it carries none.
std::size_t tagPosition(std::string_view presenceText) {
    const std::size_t at = presenceText.find(PresentMarker);
    if (at == std::string_view::npos) return std::string_view::npos;
    const std::size_t tagAt = at + PresenceNameStart + PresenceNameWidth;
    if (presenceText.size() < tagAt + CapabilityTag.size() ||
        presenceText.substr(tagAt, CapabilityTag.size()) != CapabilityTag)
        return std::string_view::npos;
    return tagAt;
}

} // namespace

bool presenceTagged(std::string_view presenceText) {
    return tagPosition(presenceText) != std::string_view::npos;
}

std::optional<std::string> presenceUtf8Name(std::string_view presenceText) {
    const std::size_t tagAt = tagPosition(presenceText);
    if (tagAt == std::string_view::npos) return std::nullopt;
    const std::string_view raw = presenceText.substr(tagAt + CapabilityTag.size());
    if (raw.size() > PresenceUtf8Bytes || !validUtf8(raw)) return std::nullopt;
    // Left out before the trim, as a chat line's are: a blank before a
    // left-out DEL must not stay at the end.
    const std::string kept = removeControlChars(raw);
    std::string name(trimBlanks(kept, Blank::SpaceOrControl));
    if (name.empty()) return std::nullopt;
    return name;
}

bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) return false;
            code = code << 6 | (byte(i + k) & 0x3F);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
        i += length;
    }
    return true;
}

std::string taggedJoin(std::uint32_t session) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string text(JoinRequest);
    text += CapabilityTag;
    text += ':';
    for (int shift = 28; shift >= 0; shift -= 4)
        text += hex[(session >> shift) & 0xF];
    return text;
}

std::optional<std::uint32_t> joinSession(std::string_view text) {
    const std::size_t at = text.find(JoinRequest);
    if (at == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(at + JoinRequest.size());
    if (rest.size() != CapabilityTag.size() + 9 || rest.substr(0, CapabilityTag.size()) != CapabilityTag ||
        rest[CapabilityTag.size()] != ':')
        return std::nullopt;
    const std::string_view digits = rest.substr(CapabilityTag.size() + 1);
    if (!std::all_of(digits.begin(), digits.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
        return std::nullopt;
    std::uint32_t session = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), session, 16);
    if (session == 0) return std::nullopt;
    return session;
}

std::string chatText(std::string_view typed, std::size_t maxBytes) {
    std::string text = removeControlChars(typed);
    // Trimmed before the cut too: leading blanks must not eat the line's room.
    text = std::string(trimBlanks(text, Blank::SpaceOrControl));
    cutAtCharacter(text, maxBytes);
    text = std::string(trimBlanks(text, Blank::SpaceOrControl));
    return validUtf8(text) ? text : std::string();
}

std::vector<unsigned char> encodeChat(std::string_view name, std::string_view text) {
    std::string sender = chatText(name, PresenceUtf8Bytes);
    if (sender.empty()) sender = "?";
    const std::string line = chatText(text);
    std::vector<unsigned char> payload;
    payload.reserve(1 + sender.size() + line.size());
    payload.push_back(static_cast<unsigned char>(sender.size()));
    payload.insert(payload.end(), sender.begin(), sender.end());
    payload.insert(payload.end(), line.begin(), line.end());
    return payload;
}

std::optional<ChatLine> decodeChat(std::span<const unsigned char> payload) {
    if (payload.empty()) return std::nullopt;
    const std::size_t nameBytes = payload[0];
    if (nameBytes < 1 || nameBytes > PresenceUtf8Bytes || payload.size() < 2 + nameBytes ||
        payload.size() > 1 + nameBytes + ChatTextBytes)
        return std::nullopt;
    ChatLine line;
    line.name.assign(payload.begin() + 1, payload.begin() + 1 + std::ptrdiff_t(nameBytes));
    line.text.assign(payload.begin() + 1 + std::ptrdiff_t(nameBytes), payload.end());
    for (const std::string& part : {line.name, line.text})
        if (!validUtf8(part) || hasControls(part)) return std::nullopt;
    return line;
}

std::vector<unsigned char> encodeNextMatch(std::uint32_t number) {
    std::vector<unsigned char> payload;
    putU32(payload, number);
    return payload;
}

std::uint32_t decodeNextMatch(std::span<const unsigned char> payload) {
    return getU32(payload, 0);
}

bool looksLikeFrame(std::span<const unsigned char> bytes) {
    return bytes.size() >= FrameMagic.size() &&
           std::equal(FrameMagic.begin(), FrameMagic.end(), bytes.begin());
}

std::vector<unsigned char> encodeFrame(const Frame& frame) {
    std::vector<unsigned char> out(FrameMagic.begin(), FrameMagic.end());
    out.reserve(FrameHeaderBytes + frame.payload.size());
    out.push_back(FrameVersion);
    out.push_back(static_cast<unsigned char>(frame.kind));
    putU32(out, frame.session);
    putU32(out, frame.seq);
    putU32(out, frame.ack);
    putU32(out, frame.ackBits);
    out.insert(out.end(), frame.payload.begin(), frame.payload.end());
    return out;
}

std::optional<Frame> decodeFrame(std::span<const unsigned char> bytes) {
    if (bytes.size() < FrameHeaderBytes || !looksLikeFrame(bytes) || bytes[4] != FrameVersion)
        return std::nullopt;
    Frame frame;
    frame.kind = static_cast<FrameKind>(bytes[5]);
    const auto bounds = payloadBounds(frame.kind);
    if (!bounds || bytes.size() < FrameHeaderBytes + bounds->least ||
        bytes.size() > FrameHeaderBytes + bounds->most)
        return std::nullopt;
    frame.session = getU32(bytes, 6);
    frame.seq = getU32(bytes, 10);
    frame.ack = getU32(bytes, 14);
    frame.ackBits = getU32(bytes, 18);
    if (frame.session == 0) return std::nullopt;
    // Acknowledgements carry no message; every message carries a number.
    if ((frame.kind == FrameKind::Ack) != (frame.seq == 0)) return std::nullopt;
    frame.payload.assign(bytes.begin() + std::ptrdiff_t(FrameHeaderBytes), bytes.end());
    if (frame.kind == FrameKind::Rematch && frame.payload[0] > 1) return std::nullopt;
    return frame;
}

} // namespace vtx::net
