#pragma once

#include "dkp/raids.h"
#include "grammar/clipper.h"
#include "raidsift/export.h"

#include <string>
#include <string_view>

namespace dkp {

// Reads the saved-variables file at `path` (UTF-8), loads it into `clipper` and appends the
// raids of its raid log to `raids`. A file without a raid log appends nothing. False when the
// file cannot be read or is too large (see readSavedFile); the clipper then holds an empty
// document and `raids` is unchanged.
RAIDSIFT_API bool loadRaidsFromFile(const std::u16string& path, grammar::Clipper& clipper,
                                    Raids& raids);

// The same for a file's bytes already in memory.
RAIDSIFT_API void loadRaidsFromBytes(std::string_view bytes, grammar::Clipper& clipper,
                                     Raids& raids);

// The same without a public tree: the raids are analysed from the library's compact tree
// (see Raids::takeFromCompactTree), for callers that need the raids alone, in a fraction of
// the time and memory.
RAIDSIFT_API bool loadRaidsFromFile(const std::u16string& path, Raids& raids);
RAIDSIFT_API void loadRaidsFromBytes(std::string bytes, Raids& raids);

} // namespace dkp
