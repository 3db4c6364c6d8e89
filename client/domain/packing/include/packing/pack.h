#pragma once

#include "packing/pack_buffer.h"

#include <cstddef>
#include <cstdint>

namespace packing {

// The most bytes a length-prefixed string can hold.
inline constexpr std::size_t kLongestVarstr = 65535;

// Appends little-endian fields and length-prefixed byte strings to a shared buffer. Its
// contents are the buffer's bytes from its start offset on, so packs can share a buffer.
class Pack {
public:
    // The start offset is the buffer's current size plus `offset`; the gap is zero-filled.
    // Throws PackError "resize buffer overflow" when the buffer cannot grow.
    explicit Pack(PackBuffer& buffer, std::size_t offset = 0);

    const char* data() const { return buffer_.data() + start_; }
    std::size_t size() const { return buffer_.size() - start_; }

    // Each throws PackError "append buffer overflow" when the buffer refuses the bytes.
    Pack& push_uint16(std::uint16_t value);
    Pack& push_uint32(std::uint32_t value);
    // Throws PackError "push_varstr: varstr too big" beyond kLongestVarstr bytes, writing
    // nothing.
    Pack& push_varstr(const void* bytes, std::size_t n);

    Pack& operator<<(std::uint32_t value) { return push_uint32(value); }

private:
    void append(const void* bytes, std::size_t n);

    PackBuffer& buffer_;
    std::size_t start_;
};

} // namespace packing
