#include "packing/pack.h"

#include "packing/packet_error.h"

namespace packing {

namespace {
template <typename T> void toLittleEndian(T value, unsigned char* out) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<unsigned char>(value >> (8 * i));
}
} // namespace

Pack::Pack(PackBuffer& buffer, std::size_t offset)
    : buffer_(buffer), start_(buffer.size() + offset) {
    if (start_ < offset || !buffer_.resize(start_, 0))
        throw PackError("resize buffer overflow");
}

void Pack::append(const void* bytes, std::size_t n) {
    if (!buffer_.append(static_cast<const char*>(bytes), n))
        throw PackError("append buffer overflow");
}

Pack& Pack::push_uint16(std::uint16_t value) {
    unsigned char bytes[2];
    toLittleEndian(value, bytes);
    append(bytes, sizeof bytes);
    return *this;
}

Pack& Pack::push_uint32(std::uint32_t value) {
    unsigned char bytes[4];
    toLittleEndian(value, bytes);
    append(bytes, sizeof bytes);
    return *this;
}

Pack& Pack::push_varstr(const void* bytes, std::size_t n) {
    if (n > kLongestVarstr)
        throw PackError("push_varstr: varstr too big");
    // Make room for prefix and bytes first, so a refusal leaves the buffer as it was.
    if (!buffer_.increase_capacity(2 + n))
        throw PackError("append buffer overflow");
    push_uint16(static_cast<std::uint16_t>(n));
    append(bytes, n);
    return *this;
}

} // namespace packing
