#pragma once

#include "dkp/raids.h"
#include "grammar/wowluaclipper.h"

#include <memory>
#include <string_view>
#include <vector>

namespace gamefiles {

// The raids of one account's addon data file together with the clipper they were loaded from.
// Both live as long as this object; the raids go first, the clipper after them.
struct LoadedRaids {
    std::unique_ptr<grammar::WOWLUAClipper> clipper;
    std::unique_ptr<dkp::Raids> raids;

    // The raid pointers, valid while this object lives.
    std::vector<dkp::Raid*> getRaids() const;
};

// Loads the raids recorded in the account's addon data file (UTF-8). A missing or unreadable
// file, or one without a raid log, gives an empty list.
LoadedRaids loadRaids(std::u16string_view gameFolder, std::u16string_view account);

} // namespace gamefiles
