#pragma once

// A bounded little-endian cursor over a byte span, shared by the file decoders.
//
// Reads never leave the span: a read past the end fails (returns false) and leaves the cursor
// where it was. Offsets and sizes are 64-bit so that a hostile 32-bit count times an element size
// cannot wrap around.

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace vtx {

class ByteReader {
public:
    explicit ByteReader(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    std::uint64_t size() const { return m_bytes.size(); }
    std::uint64_t position() const { return m_pos; }

    // True when [offset, offset + length) lies inside the span.
    bool contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }
    bool seek(std::uint64_t offset) {
        if (offset > m_bytes.size()) return false;
        m_pos = offset;
        return true;
    }
    bool skip(std::uint64_t length) {
        if (!contains(m_pos, length)) return false;
        m_pos += length;
        return true;
    }
    bool bytes(void* out, std::uint64_t length) {
        if (!contains(m_pos, length)) return false;
        if (length > 0) std::memcpy(out, m_bytes.data() + m_pos, length);
        m_pos += length;
        return true;
    }
    bool u8(std::uint8_t& v) { return bytes(&v, 1); }
    bool u16(std::uint16_t& v) {
        unsigned char b[2];
        if (!bytes(b, 2)) return false;
        v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
        return true;
    }
    bool i16(std::int16_t& v) {
        std::uint16_t u = 0;
        if (!u16(u)) return false;
        v = static_cast<std::int16_t>(u);
        return true;
    }
    bool u32(std::uint32_t& v) {
        unsigned char b[4];
        if (!bytes(b, 4)) return false;
        v = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
            (std::uint32_t{b[3]} << 24);
        return true;
    }
    bool i32(std::int32_t& v) {
        std::uint32_t u = 0;
        if (!u32(u)) return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool f32(float& v) {
        std::uint32_t u = 0;
        if (!u32(u)) return false;
        v = std::bit_cast<float>(u);
        return true;
    }

private:
    std::span<const unsigned char> m_bytes;
    std::uint64_t m_pos = 0;
};

} // namespace vtx
