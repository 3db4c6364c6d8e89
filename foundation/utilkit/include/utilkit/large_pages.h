#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>

namespace utilkit {

// Asks the system to back the whole large pages inside [start, start + size) with large pages,
// where it lends them on request: a buffer of many megabytes is then faulted in with a few
// hundred times fewer faults. Only a hint; nothing changes where it is not followed.
inline void adviseLargePages(void* start, std::size_t size) {
    constexpr std::uintptr_t kLargePage = 2 * 1024 * 1024;
    const auto from = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t begin = (from + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (from + size) & ~(kLargePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

} // namespace utilkit
