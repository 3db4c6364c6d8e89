#pragma once

#include "dkp/raid.h"

#include <string>
#include <vector>

namespace dkp {

// The language of the game client that wrote the raids, "zhCN" or "zhTW". The log does not
// say; the texts the game wrote into it (zone, boss and item names) tell Simplified from
// Traditional characters. "zhCN" unless Traditional-only characters outnumber
// Simplified-only ones.
std::string guessGameLanguage(const std::vector<const Raid*>& raids);

} // namespace dkp
