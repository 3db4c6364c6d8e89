#pragma once

#include "packing/varstr.h"

#include <cstddef>
#include <cstdint>

namespace packing {

// Takes little-endian fields and length-prefixed byte strings off the front of a byte range
// it does not own. A pop that finds too few bytes throws UnpackError and consumes nothing.
class Unpack {
public:
    Unpack(const void* data, std::size_t size);

    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    std::uint16_t pop_uint16();
    std::uint32_t pop_uint32();
    // The current read position; skips `n` bytes.
    const char* pop_fetch_ptr(std::size_t n);
    Varstr pop_varstr();

    Unpack& operator>>(std::uint32_t& value) {
        value = pop_uint32();
        return *this;
    }

private:
    const char* data_;
    std::size_t size_;
};

} // namespace packing
