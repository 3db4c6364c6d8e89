#pragma once

#include "store/site_store.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dkpsite {

struct DkpListSystem {
    SiteDkpSystem system;
    std::vector<Standing> standings;
};

// The MerDKP list file a guild's members load in the game: a Lua text (UTF-8) whose first
// statement assigns the update time in milliseconds, in double quotes, to Mer_DKP_UPDATETIME,
// followed by MerDKP_Table with each DKP system's standings.
std::string formatDkpList(std::int64_t updateTimeMs, const std::vector<DkpListSystem>& systems);

// A Lua string literal in double quotes holding `text` exactly.
std::string luaQuoted(const std::string& text);

} // namespace dkpsite
