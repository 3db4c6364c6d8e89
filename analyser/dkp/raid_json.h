#pragma once

#include "dkp/raid.h"

#include <nlohmann/json.hpp>

namespace dkp {

// One raid with its members, kills, loot and totals; times in seconds since 1970. It is the
// analysis itself: each member's stays as analysed, overlapping or open (leave 0) ones included,
// and the log's texts as they are (an empty zone or item name stays empty).
nlohmann::ordered_json raidToJson(const Raid& raid);

// The same with each member's attendance figures (see computeAttendance) added.
nlohmann::ordered_json raidWithAttendanceToJson(const Raid& raid);

} // namespace dkp
