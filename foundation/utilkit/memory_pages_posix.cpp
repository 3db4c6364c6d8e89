#include "utilkit/large_pages.h"
#include "utilkit/memory_pages.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace utilkit {

void adviseLargePages(void* start, std::size_t size) {
    constexpr std::uintptr_t kLargePage = 2 * 1024 * 1024;
    const auto from = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t begin = (from + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (from + size) & ~(kLargePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

std::size_t pageSize() {
    return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

void releasePages(void* start, std::size_t length) {
    ::madvise(start, length, MADV_DONTNEED);
}

} // namespace utilkit
