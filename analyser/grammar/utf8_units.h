#pragma once

#include <cstddef>
#include <string_view>

namespace grammar {

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
