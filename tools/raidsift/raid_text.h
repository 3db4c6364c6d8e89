#pragma once

#include "dkp/raid.h"

#include <cstddef>
#include <string>

namespace raidsift {

// "index<TAB>name<TAB>members N<TAB>kills N<TAB>loots N<TAB>earned N<TAB>spent N", UTF-8.
std::string raidLine(std::size_t index, const dkp::Raid& raid);

// A readable summary of the raid, several lines, UTF-8; times in the local time zone.
std::string raidSummary(std::size_t index, const dkp::Raid& raid);

} // namespace raidsift
