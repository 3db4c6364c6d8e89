#pragma once

#include <cstddef>
#include <cstdint>

namespace packing {

// A growable byte buffer that grows in whole blocks of 16 KiB, up to 65536 blocks (1 GiB).
// Growth copies the bytes in use; shrinking only lowers the size and keeps the storage.
class PackBuffer {
public:
    static constexpr std::uint32_t kBlockSize = 16384;
    static constexpr std::uint32_t kMaxBlocks = 65536;

    PackBuffer() = default;
    PackBuffer(const PackBuffer&) = delete;
    PackBuffer& operator=(const PackBuffer&) = delete;
    ~PackBuffer();

    // While nothing is allocated, points to one shared zero byte.
    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return std::size_t{blocks_} * kBlockSize; }
    std::size_t free_space() const { return capacity() - size_; }

    // Appends `n` bytes; the source may overlap the buffer's own bytes.
    bool append(const char* bytes, std::size_t n);
    // Growing fills the new bytes with `fill`; shrinking keeps the storage.
    bool resize(std::size_t n, char fill = 0);
    // Makes room for `n` more bytes, exactly to the next whole block.
    bool increase_capacity(std::size_t n);

private:
    char* data_ = &emptyByte_;
    std::uint32_t size_ = 0;
    std::uint32_t blocks_ = 0;

    static char emptyByte_;
};

} // namespace packing
