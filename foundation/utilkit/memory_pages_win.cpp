#include "utilkit/large_pages.h"
#include "utilkit/memory_pages.h"

#include <windows.h>

namespace utilkit {

void adviseLargePages(void*, std::size_t) {}

std::size_t pageSize() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.dwPageSize;
}

// The heap's memory cannot be decommitted piece by piece behind its back, and resetting it
// would leave pages of unknown content inside a live allocation; the pages stay until freed.
void releasePages(void*, std::size_t) {}

} // namespace utilkit
