#pragma once

#include "dkp/raid.h"

#include <nlohmann/json.hpp>

namespace raidsift {

// One raid with its members, kills, loot and totals; times in seconds since 1970.
nlohmann::ordered_json raidToJson(const dkp::Raid& raid);

} // namespace raidsift
