#pragma once

#include "dkp/raid.h"

#include <string>
#include <vector>

namespace dkp {

// One row per member of each raid: presence, kills and points (see computeAttendance).
std::string attendanceCsv(const std::vector<const Raid*>& raids);

// One row per item of each raid, in loot order.
std::string lootCsv(const std::vector<const Raid*>& raids);

} // namespace dkp
