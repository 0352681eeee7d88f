#include "audio/MidiHeader.h"

#include <cstdint>
#include <cstring>

namespace vtx {

namespace {

bool tagAt(std::span<const unsigned char> bytes, std::uint64_t offset, const char* tag) {
    return offset + 4 <= bytes.size() && std::memcmp(bytes.data() + offset, tag, 4) == 0;
}

std::uint64_t big32(std::span<const unsigned char> bytes, std::uint64_t offset) {
    return (std::uint64_t(bytes[offset]) << 24) | (std::uint64_t(bytes[offset + 1]) << 16) |
           (std::uint64_t(bytes[offset + 2]) << 8) | bytes[offset + 3];
}

bool standardMidi(std::span<const unsigned char> bytes) {
    if (!tagAt(bytes, 0, "MThd") || bytes.size() < 14) return false;
    const std::uint64_t headerLength = big32(bytes, 4);
    const unsigned tracks = (unsigned(bytes[10]) << 8) | bytes[11];
    return headerLength >= 6 && tracks >= 1 && tagAt(bytes, 8 + headerLength, "MTrk");
}

} // namespace

bool looksLikeMidi(std::span<const unsigned char> head) {
    // RIFF MIDI: "RIFF" <size> "RMID" "data" <size> <standard MIDI file>.
    // The wrapped file starts after the 4-byte size of the "data" chunk, which may itself be cut off.
    if (tagAt(head, 0, "RIFF") && tagAt(head, 8, "RMID") && tagAt(head, 12, "data"))
        return head.size() >= 20 && standardMidi(head.subspan(20));
    return standardMidi(head);
}

} // namespace vtx
