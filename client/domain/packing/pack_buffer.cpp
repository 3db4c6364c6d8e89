#include "packing/pack_buffer.h"

#include <cstring>
#include <new>

namespace packing {

char PackBuffer::emptyByte_ = 0;

PackBuffer::~PackBuffer() {
    if (blocks_ > 0)
        delete[] data_;
}

bool PackBuffer::increase_capacity(std::size_t n) {
    if (n == 0 || n <= free_space())
        return true;
    const std::size_t need = n - free_space();
    const std::size_t newBlocks =
        std::size_t{blocks_} + need / kBlockSize + (need % kBlockSize != 0 ? 1 : 0);
    if (newBlocks > kMaxBlocks)
        return false;
    char* storage = new (std::nothrow) char[newBlocks * kBlockSize];
    if (storage == nullptr)
        return false;
    if (blocks_ > 0) {
        std::memcpy(storage, data_, size_);
        delete[] data_;
    }
    data_ = storage;
    blocks_ = static_cast<std::uint32_t>(newBlocks);
    return true;
}

bool PackBuffer::append(const char* bytes, std::size_t n) {
    if (n == 0)
        return true;
    // The source may lie inside our own storage, which growing would free.
    const bool inside = bytes >= data_ && bytes < data_ + size_;
    const std::size_t offset = inside ? static_cast<std::size_t>(bytes - data_) : 0;
    if (!increase_capacity(n))
        return false;
    std::memmove(data_ + size_, inside ? data_ + offset : bytes, n);
    size_ += static_cast<std::uint32_t>(n);
    return true;
}

bool PackBuffer::resize(std::size_t n, char fill) {
    if (n > size_) {
        if (!increase_capacity(n - size_))
            return false;
        std::memset(data_ + size_, fill, n - size_);
    }
    size_ = static_cast<std::uint32_t>(n);
    return true;
}

} // namespace packing
