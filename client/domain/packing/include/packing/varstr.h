#pragma once

#include <cstdint>
#include <string>

namespace packing {

// A byte string inside the bytes of an Unpack; valid only while those bytes live.
struct Varstr {
    const char* data = nullptr;
    std::uint16_t size = 0;

    std::string toString() const { return std::string(data, size); }
};

} // namespace packing
