#pragma once

#include <string_view>

namespace compoundfile {

// Checks, without trusting any count or pointer in it, that `bytes` are a compound file
// whose header, allocation tables, directory tree and stream chains are consistent: every
// chain ends, stays inside the file and is long enough for its stream, and the directory
// is a tree of bounded size and depth. Only bytes that pass are handed to the library.
bool isSoundCompoundFile(std::string_view bytes);

} // namespace compoundfile
