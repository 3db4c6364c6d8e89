#include "utilkit/large_pages.h"

namespace utilkit {

// Windows lends large pages only to programs holding the "lock pages in memory" right, and only
// for memory asked for as such; ordinary buffers get ordinary pages.
void adviseLargePages(void*, std::size_t) {}

} // namespace utilkit
