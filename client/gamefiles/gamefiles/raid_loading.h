#pragma once

#include "dkp/raids.h"

#include <memory>
#include <string_view>
#include <vector>

namespace gamefiles {

// The raids of one account's addon data file; the parsed file itself is not kept.
struct LoadedRaids {
    std::unique_ptr<dkp::Raids> raids;

    // The raid pointers, valid while this object lives.
    std::vector<dkp::Raid*> getRaids() const;
};

// Loads the raids recorded in the account's addon data file (UTF-8). A missing or unreadable
// file, or one without a raid log, gives an empty list.
LoadedRaids loadRaids(std::u16string_view gameFolder, std::u16string_view account);

} // namespace gamefiles
