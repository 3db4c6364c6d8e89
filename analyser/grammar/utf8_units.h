#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace grammar {

// Whether every byte is ASCII; read eight bytes at a time.
inline bool isAscii(std::string_view bytes) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::uint64_t seen = 0;
    std::size_t i = 0;
    for (; i + sizeof seen <= bytes.size(); i += sizeof seen) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        seen |= word;
    }
    for (; i < bytes.size(); ++i)
        seen |= static_cast<unsigned char>(bytes[i]);
    return (seen & kHighBits) == 0;
}

// The UTF-16 code units that valid UTF-8 bytes decode to: one for each character, and a second
// for one beyond the 16-bit range.
inline std::size_t unitCount(std::string_view bytes) {
    std::size_t units = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80;
        units += byte >= 0xF0;
    }
    return units;
}

} // namespace grammar
