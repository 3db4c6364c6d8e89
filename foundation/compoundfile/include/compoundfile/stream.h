#pragma once

#include "compoundfile/status.h"

#include <cstddef>
#include <cstdint>

namespace compoundfile {

// A stream inside a compound file, read and written at a current position that starts at 0.
// Writes reach the file when a storage of the same file is committed.
class Stream {
public:
    virtual ~Stream() = default;

    // Reads up to `count` bytes; `done` receives how many were read (fewer at the end).
    virtual Status read(void* buffer, std::size_t count, std::size_t& done) = 0;
    // Writes at the current position, growing the stream when needed.
    virtual Status write(const void* data, std::size_t count) = 0;
    virtual Status seek(std::uint64_t position) = 0;
    virtual std::uint64_t size() const = 0;
};

} // namespace compoundfile
