#pragma once

#include <string>

namespace dkpsite {

// The longest site name of a guild (the path of its address, `/<site name>`).
inline constexpr std::size_t kMaxSiteNameLength = 64;

// Whether `name` is one of the first path pieces the site keeps for itself (its own pages, the
// addresses the client opens, and those part of the site may use later), which no guild may take.
bool isReservedSiteName(const std::string& name);

// Why `name` cannot be a guild's site name (empty, too long, a character other than an ASCII
// letter, digit, "_" or "-", or reserved), or the empty text when it can.
std::string siteNameProblem(const std::string& name);

} // namespace dkpsite
