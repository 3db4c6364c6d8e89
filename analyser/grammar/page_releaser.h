#pragma once

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace grammar {

// Gives the memory pages of a large array back to the system from its front as a reader that
// goes through it once leaves them behind, so that what was read and what is built from it are
// never resident together. Released pages read as zeros and are freed with the array as usual;
// only whole pages inside the array are released, in batches.
class PageReleaser {
public:
    explicit PageReleaser(const void* start)
        : page_(static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE))),
          released_(roundUp(reinterpret_cast<std::uintptr_t>(start))) {}

    // Releases the whole pages before `address`, which must lie inside the array or at its end.
    void releaseBefore(const void* address) {
        const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(address) & ~(page_ - 1);
        if (end < released_ + kBatch)
            return;
        ::madvise(reinterpret_cast<void*>(released_), end - released_, MADV_DONTNEED);
        released_ = end;
    }

private:
    static constexpr std::uintptr_t kBatch = 1 << 18;

    std::uintptr_t roundUp(std::uintptr_t address) const {
        return (address + page_ - 1) & ~(page_ - 1);
    }

    std::uintptr_t page_;
    std::uintptr_t released_;
};

} // namespace grammar
