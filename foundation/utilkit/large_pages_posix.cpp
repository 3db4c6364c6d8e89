#include "utilkit/large_pages.h"

#include <cstdint>
#include <sys/mman.h>

namespace utilkit {

void adviseLargePages(void* start, std::size_t size) {
    constexpr std::uintptr_t kLargePage = 2 * 1024 * 1024;
    const auto from = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t begin = (from + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (from + size) & ~(kLargePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

} // namespace utilkit
