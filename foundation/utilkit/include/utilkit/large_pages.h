#pragma once

#include <cstddef>

namespace utilkit {

// Asks the system to back the whole large pages inside [start, start + size) with large pages,
// where it lends them on request: a buffer of many megabytes is then faulted in with a few
// hundred times fewer faults. Only a hint; nothing changes where it is not followed (Windows
// does not follow it).
void adviseLargePages(void* start, std::size_t size);

} // namespace utilkit
