#pragma once

#include "dkp/raid.h"

#include <cstddef>
#include <ostream>
#include <string>

namespace raidsift {

// "index<TAB>name<TAB>members N<TAB>kills N<TAB>loots N<TAB>earned N<TAB>spent N", UTF-8.
std::string raidLine(std::size_t index, const dkp::Raid& raid);

// Writes a readable summary of the raid, several lines, UTF-8; times in the local time zone.
// Written as it is made: a raid of many stays makes a long text.
void writeRaidSummary(std::ostream& out, std::size_t index, const dkp::Raid& raid);

} // namespace raidsift
