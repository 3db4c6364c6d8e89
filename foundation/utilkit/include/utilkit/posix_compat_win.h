#pragma once

// The POSIX functions and GNU C library extensions that the project's code calls, for the C
// library of Windows. The Windows build includes this header into every file that links utilkit.

#include <cstddef>

// The last byte `c` in [start, start + length), or null.
inline void* memrchr(const void* start, int c, std::size_t length) {
    const auto* bytes = static_cast<const unsigned char*>(start);
    while (length-- > 0)
        if (bytes[length] == static_cast<unsigned char>(c))
            return const_cast<unsigned char*>(bytes + length);
    return nullptr;
}
