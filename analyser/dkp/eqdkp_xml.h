#pragma once

#include "dkp/raid.h"
#include "dkp/raid_formats.h"

#include <string>
#include <vector>

namespace dkp {

// The raid-log XML that guild sites import: one <raidlog> for all the raids, each raid one
// zone from its start to its end, members merged by name. A member's stays are the time
// present in every raid (timePresent), so that an importer that joins overlapping stays reads
// exactly the minutes of the attendance figures.
std::string eqdkpXml(const std::vector<const Raid*>& raids, const ExportOptions& options);

} // namespace dkp
