#include "packing/unpack.h"

#include "packing/packet_error.h"

namespace packing {

namespace {
template <typename T> T fromLittleEndian(const char* bytes) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<T>(static_cast<T>(static_cast<unsigned char>(bytes[i])) << (8 * i));
    return value;
}
} // namespace

Unpack::Unpack(const void* data, std::size_t size)
    : data_(static_cast<const char*>(data)), size_(size) {}

std::uint16_t Unpack::pop_uint16() {
    if (size_ < 2)
        throw UnpackError("pop_uint16: not enough data");
    const std::uint16_t value = fromLittleEndian<std::uint16_t>(data_);
    data_ += 2;
    size_ -= 2;
    return value;
}

std::uint32_t Unpack::pop_uint32() {
    if (size_ < 4)
        throw UnpackError("pop_uint32: not enough data");
    const std::uint32_t value = fromLittleEndian<std::uint32_t>(data_);
    data_ += 4;
    size_ -= 4;
    return value;
}

const char* Unpack::pop_fetch_ptr(std::size_t n) {
    if (size_ < n)
        throw UnpackError("pop_fetch_ptr: not enough data");
    const char* position = data_;
    data_ += n;
    size_ -= n;
    return position;
}

Varstr Unpack::pop_varstr() {
    // Undo the length prefix if the bytes behind it are missing: a failed pop consumes nothing.
    const char* const start = data_;
    const std::size_t remaining = size_;
    const std::uint16_t n = pop_uint16();
    try {
        return Varstr{pop_fetch_ptr(n), n};
    } catch (...) {
        data_ = start;
        size_ = remaining;
        throw;
    }
}

} // namespace packing
