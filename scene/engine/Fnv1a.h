#pragma once
// FNV-1a over the bytes of plain values, for cache keys and picture signatures: not cryptographic,
// but two different inputs colliding is a 1 in 2^64 chance.

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace vtx {

class Fnv1a {
public:
    void bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            m_hash = (m_hash ^ p[i]) * 0x100000001b3ull;
    }
    template <class T> void add(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes(&value, sizeof value);
    }
    void add(const std::string& text) {
        add(text.size());
        bytes(text.data(), text.size());
    }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xcbf29ce484222325ull;
};

} // namespace vtx
