#pragma once

#include <string_view>

namespace dkpsite {

// Request bodies nested deeper than this are refused before they are parsed: copying or
// destroying a JSON value recurses once per level, so a small body nested many thousands deep
// would exhaust a request thread's stack. Real requests nest 1 deep.
inline constexpr int kMaxJsonDepth = 64;

// Whether the arrays and objects of a JSON text nest deeper than `limit` (a top-level array or
// object is depth 1). Brackets inside strings do not count; the text need not be valid JSON.
bool jsonNestsDeeperThan(std::string_view text, int limit);

} // namespace dkpsite
