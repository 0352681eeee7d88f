#include "files/ReplayFile.h"

#include "files/TextEncoding.h"
#include "game/FleetBlock.h"
#include "game/ReplayPlayer.h"
#include "game/TextClean.h"

#include <array>
#include <cstring>
#include <limits>

namespace vtx {

namespace {

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}
constexpr auto kCrcTable = crcTable();

void putU8(std::string& out, std::uint8_t v) {
    out.push_back(static_cast<char>(v));
}
void putU16(std::string& out, std::uint16_t v) {
    putU8(out, std::uint8_t(v & 0xFF));
    putU8(out, std::uint8_t(v >> 8));
}
void putU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        putU8(out, std::uint8_t((v >> (8 * i)) & 0xFF));
}
void putU64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        putU8(out, std::uint8_t((v >> (8 * i)) & 0xFF));
}
template <std::size_t N> void putBlock(std::string& out, const std::array<unsigned char, N>& block) {
    out.append(reinterpret_cast<const char*>(block.data()), block.size());
}

// A little-endian cursor that never reads past its span: a read beyond the end
// fails and leaves the cursor where it was.
class Cursor {
public:
    explicit Cursor(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    std::uint64_t left() const { return m_bytes.size() - m_pos; }
    bool bytes(void* out, std::uint64_t length) {
        if (length > left()) return false;
        if (length > 0) std::memcpy(out, m_bytes.data() + m_pos, std::size_t(length));
        m_pos += length;
        return true;
    }
    std::span<const unsigned char> take(std::uint64_t length) {
        if (length > left()) return {};
        const auto part = m_bytes.subspan(std::size_t(m_pos), std::size_t(length));
        m_pos += length;
        return part;
    }
    bool u8(std::uint8_t& v) { return bytes(&v, 1); }
    bool u16(std::uint16_t& v) {
        unsigned char b[2];
        if (!bytes(b, 2)) return false;
        v = std::uint16_t(b[0] | (b[1] << 8));
        return true;
    }
    bool u32(std::uint32_t& v) {
        unsigned char b[4];
        if (!bytes(b, 4)) return false;
        v = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
            (std::uint32_t{b[3]} << 24);
        return true;
    }
    bool u64(std::uint64_t& v) {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        if (left() < 8) return false;
        u32(low);
        u32(high);
        v = std::uint64_t{low} | (std::uint64_t{high} << 32);
        return true;
    }

private:
    std::span<const unsigned char> m_bytes;
    std::uint64_t m_pos = 0;
};

ReplayRead refused(ReplayError error, std::string detail) {
    ReplayRead read;
    read.error = error;
    read.detail = std::move(detail);
    return read;
}

// Version 1 after its magic and version (the cursor stands at byte 10).
ReplayRead readVersion1(std::span<const unsigned char> bytes, Cursor& in) {
    std::uint16_t flags = 0;
    std::uint64_t startedAt = 0;
    std::uint8_t kind = 0;
    std::uint8_t level = 0;
    std::uint8_t end = 0;
    std::uint8_t nameLength = 0;
    if (!in.u16(flags) || !in.u64(startedAt) || !in.u8(kind) || !in.u8(level) || !in.u8(end) ||
        !in.u8(nameLength))
        return refused(ReplayError::CutShort, "ends in the header");
    if (nameLength > ReplayNameBytes) return refused(ReplayError::Damaged, "name length over 64");
    const auto name = in.take(nameLength);
    if (name.size() != nameLength) return refused(ReplayError::CutShort, "ends in the name");
    const auto blocks = in.take(2 * (FleetBlockBytes + FieldBlockBytes));
    if (blocks.empty()) return refused(ReplayError::CutShort, "ends in the fleets");
    std::uint32_t shotCount = 0;
    if (!in.u32(shotCount)) return refused(ReplayError::CutShort, "ends before the shots");

    // 64-bit: a count near 2^32 times 8 must not wrap.
    const std::uint64_t expected =
        std::uint64_t{ReplayFixedBytes} + nameLength + std::uint64_t{shotCount} * ReplayShotBytes;
    if (bytes.size() < expected) return refused(ReplayError::CutShort, "ends in the shots");
    if (bytes.size() > expected) return refused(ReplayError::Damaged, "bytes after the checksum");
    std::uint32_t stored = 0;
    const auto checked = bytes.first(bytes.size() - 4);
    Cursor tail(bytes.last(4));
    tail.u32(stored);
    if (crc32(checked) != stored) return refused(ReplayError::Damaged, "checksum");

    if ((flags & ~std::uint16_t{1}) != 0) return refused(ReplayError::Damaged, "unknown flags");
    if (startedAt > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
        return refused(ReplayError::Damaged, "date");

    ReplayRead read;
    Replay& r = read.replay;
    r.cut = (flags & 1) != 0;
    r.startedAt = std::int64_t(startedAt);
    r.opponent = static_cast<ReplayOpponent>(kind);
    r.level = level;
    r.end = static_cast<ReplayEnd>(end);
    r.opponentName.assign(reinterpret_cast<const char*>(name.data()), name.size());
    std::size_t at = 0;
    const auto fleetAt = [&] {
        const Fleet fleet = decodeFleet(blocks.subspan(at).first<FleetBlockBytes>());
        at += FleetBlockBytes;
        return fleet;
    };
    const auto fieldAt = [&] {
        const Field field = decodeField(blocks.subspan(at).first<FieldBlockBytes>());
        at += FieldBlockBytes;
        return field;
    };
    r.ownFleet = fleetAt();
    r.ownField = fieldAt();
    r.enemyFleet = fleetAt();
    r.enemyField = fieldAt();

    r.shots.reserve(shotCount); // bounded: the length check above holds at most 8 k shots
    for (std::uint32_t i = 0; i < shotCount; ++i) {
        ReplayShot shot;
        std::uint8_t side = 0;
        std::uint8_t row = 0;
        std::uint8_t column = 0;
        std::uint8_t zero = 0;
        if (!in.u32(shot.timeMs) || !in.u8(side) || !in.u8(row) || !in.u8(column) || !in.u8(zero))
            return refused(ReplayError::CutShort, "ends in the shots");
        if (side > 1 || zero != 0) return refused(ReplayError::Damaged, "shot " + std::to_string(i + 1));
        shot.side = static_cast<ReplaySide>(side);
        shot.row = row;
        shot.column = column;
        r.shots.push_back(shot);
    }
    if (const std::string why = replayProblem(r); !why.empty()) return refused(ReplayError::Impossible, why);
    return read;
}

} // namespace

std::uint32_t crc32(std::span<const unsigned char> bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const unsigned char b : bytes)
        c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string replayFileBytes(const Replay& replay) {
    const std::string name = cutUtf8(controlCharsToQuestionMarks(replay.opponentName), ReplayNameBytes);
    const std::size_t room = (ReplayFileMaxBytes - ReplayFixedBytes - name.size()) / ReplayShotBytes;
    const std::size_t kept = std::min(replay.shots.size(), room);
    const bool cut = replay.cut || kept < replay.shots.size();

    std::string out;
    out.reserve(ReplayFixedBytes + name.size() + kept * ReplayShotBytes);
    out += ReplayMagic;
    putU16(out, ReplayVersion);
    putU16(out, cut ? 1 : 0);
    putU64(out, std::uint64_t(replay.startedAt));
    putU8(out, static_cast<std::uint8_t>(replay.opponent));
    putU8(out, std::uint8_t(replay.level));
    putU8(out, static_cast<std::uint8_t>(replay.end));
    putU8(out, std::uint8_t(name.size()));
    out += name;
    putBlock(out, encodeFleet(replay.ownFleet));
    putBlock(out, encodeField(replay.ownField));
    putBlock(out, encodeFleet(replay.enemyFleet));
    putBlock(out, encodeField(replay.enemyField));
    putU32(out, std::uint32_t(kept));
    for (std::size_t i = 0; i < kept; ++i) {
        const ReplayShot& shot = replay.shots[i];
        putU32(out, shot.timeMs);
        putU8(out, static_cast<std::uint8_t>(shot.side));
        putU8(out, std::uint8_t(shot.row));
        putU8(out, std::uint8_t(shot.column));
        putU8(out, 0);
    }
    putU32(out, crc32({reinterpret_cast<const unsigned char*>(out.data()), out.size()}));
    return out;
}

ReplayRead readReplayFile(std::span<const unsigned char> bytes) {
    if (bytes.size() > ReplayFileMaxBytes) return refused(ReplayError::TooLarge, "over 64 KiB");
    Cursor in(bytes);
    char magic[8] = {};
    if (!in.bytes(magic, sizeof magic) || std::string_view(magic, sizeof magic) != ReplayMagic)
        return refused(ReplayError::NotAReplay, "no replay magic");
    std::uint16_t version = 0;
    if (!in.u16(version)) return refused(ReplayError::CutShort, "ends before the version");
    if (version > ReplayVersion)
        return refused(ReplayError::LaterVersion, "version " + std::to_string(version));
    if (version == 1) return readVersion1(bytes, in);
    return refused(ReplayError::Damaged, "version 0");
}

ReplayRead readReplayFile(std::string_view bytes) {
    return readReplayFile(
        std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

} // namespace vtx
