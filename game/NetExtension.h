#pragma once

// The reliable extension of the LAN protocol (docs/lan-protocol.md has the
// byte-by-byte description). Two copies of this game that both announce it
// play their match over sequenced, acknowledged frames; towards a program that
// speaks only the plain protocol (NetMessage.h) nothing changes.
//
// Negotiation rides inside the plain messages, where a plain peer does not look:
//   presence  "SYS$$Present: " + name cut or blank-padded to 14 characters +
//             "~VTX1" + the whole name in UTF-8. A plain lobby shows
//             characters 14..28 trimmed, which is the same name it would show
//             for the untagged message; a lobby of this version shows the
//             UTF-8 name after the tag, so any script arrives whole.
//   query     "SYS$$Present?~VTX1", to a computer typed by address: a creator
//             of this version answers with its presence. No plain marker in
//             it, so a plain side ignores it.
//   join      "SYS$$Joined :Quibby" + "~VTX1:" + 8 lower-case hex digits, the
//             joiner's session number. A plain creator only looks for
//             "SYS$$Joined :". A joiner tags its request only for a creator
//             whose presence carried the tag.
// A match is extended when the creator received a tagged join request. Its
// messages are frames: binary datagrams that start with "VTX~" and contain no
// "SYS$$", so a plain side that ever saw one would ignore it.
//
// Frame, all integers little-endian:
//   0  4  "VTX~"
//   4  1  version, 1
//   5  1  kind: 'A' acknowledgement or heartbeat, 'F' fleet and grid,
//               'M' shot, 'X' the player left, 'C' a chat line, 'R' another
//               match wanted or not, 'N' the next match starts
//   6  4  session number, never 0; frames of another session are ignored
//  10  4  sequence number of this message, 1, 2, ...; 0 for 'A'
//  14  4  acknowledgement: every message up to this number arrived (0 none)
//  18  4  selective acknowledgement: bit i set means message ack + 2 + i
//         arrived too
//  22     payload: 'F' the 600-byte fleet block then the 100-byte grid block
//         (FleetBlock.h); 'M' two bytes, row then column (1..10); 'C' the
//         sender's name length (1..64), its UTF-8 name, then the line (1..200
//         bytes of UTF-8); 'R' one byte, 1 yes or 0 no; 'N' four bytes, the
//         number of the match in the session (2, 3, ...); 'A' and 'X' none.
//         A frame of any other length for its kind is refused.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::net {

inline constexpr std::string_view CapabilityTag = "~VTX1";
// Characters of the presence text's name field that a plain lobby shows.
inline constexpr std::size_t PresenceNameWidth = 14;

inline constexpr std::string_view FrameMagic = "VTX~";
inline constexpr std::uint8_t FrameVersion = 1;
inline constexpr std::size_t FrameHeaderBytes = 22;

enum class FrameKind : char {
    Ack = 'A',
    Fleet = 'F',
    Move = 'M',
    Leave = 'X',
    Chat = 'C',
    Rematch = 'R',
    NextMatch = 'N'
};

struct Frame {
    FrameKind kind = FrameKind::Ack;
    std::uint32_t session = 0;
    std::uint32_t seq = 0;
    std::uint32_t ack = 0;
    std::uint32_t ackBits = 0;
    std::vector<unsigned char> payload;
};

inline constexpr std::string_view PresenceQuery = "SYS$$Present?~VTX1";
// The UTF-8 name after the tag: at most this many bytes, cut at a character.
inline constexpr std::size_t PresenceUtf8Bytes = 64;

// The tagged presence text: latin1Name in the plain lobby's 14 characters,
// utf8Name (cut to PresenceUtf8Bytes, control characters left out) after the tag.
std::string taggedPresence(std::string_view latin1Name, std::string_view utf8Name = {});
// The UTF-8 name a tagged presence carries after its tag, trimmed; nothing
// when there is none or it is no valid UTF-8 of at most PresenceUtf8Bytes.
std::optional<std::string> presenceUtf8Name(std::string_view presenceText);
// Whether text is well-formed UTF-8 (no overlong forms, no surrogates).
bool validUtf8(std::string_view text);
// Whether a presence text carries the tag (at its fixed place only: a name
// that happens to contain it does not count).
bool presenceTagged(std::string_view presenceText);

// The tagged join request for a session number (not 0).
std::string taggedJoin(std::uint32_t session);
// The session number of a tagged join request; nothing for a plain one or a
// malformed tag (which is then answered as a plain join).
std::optional<std::uint32_t> joinSession(std::string_view text);

// A chat line: at most this many bytes of UTF-8 after the sender's name
// (which is cut like the presence's, to PresenceUtf8Bytes).
inline constexpr std::size_t ChatTextBytes = 200;
struct ChatLine {
    std::string name;
    std::string text;
};
// What the player typed as it travels: control characters left out, cut to
// maxBytes at a character's end, blanks around it trimmed. Empty when nothing
// is left.
std::string chatText(std::string_view typed, std::size_t maxBytes = ChatTextBytes);
// A 'C' payload; the name and text are cleaned as chatText does, an empty
// name sent as "?".
std::vector<unsigned char> encodeChat(std::string_view name, std::string_view text);
// Nothing unless the payload holds a name and a line within their bounds, in
// valid UTF-8 without control characters (the frame's length was checked).
std::optional<ChatLine> decodeChat(std::span<const unsigned char> payload);
// An 'N' payload: the number of the match that starts, in the session.
std::vector<unsigned char> encodeNextMatch(std::uint32_t number);
// The frame's length was checked: the payload holds the four bytes.
std::uint32_t decodeNextMatch(std::span<const unsigned char> payload);

// Whether the datagram is a frame at all (its magic), before any checking.
bool looksLikeFrame(std::span<const unsigned char> bytes);
std::vector<unsigned char> encodeFrame(const Frame& frame);
// Nothing for a datagram that is no well-formed frame of a known version and kind.
std::optional<Frame> decodeFrame(std::span<const unsigned char> bytes);

} // namespace vtx::net
