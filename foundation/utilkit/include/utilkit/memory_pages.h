#pragma once

#include <cstddef>

namespace utilkit {

// The size of a memory page of the system, in bytes.
std::size_t pageSize();

// Gives the memory of the whole pages in [start, start + length) back to the system: the
// caller promises never to read them again before the memory is freed as usual. Only a hint;
// Windows keeps them until the memory is freed.
void releasePages(void* start, std::size_t length);

} // namespace utilkit
