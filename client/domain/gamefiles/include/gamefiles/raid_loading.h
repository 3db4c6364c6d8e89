#pragma once

#include "dkp/raids.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gamefiles {

// The raids of one account's addon data file; the parsed file itself is not kept.
struct LoadedRaids {
    std::unique_ptr<dkp::Raids> raids;
    std::u16string file;   // the addon data file read
    bool tooLarge = false; // refused unread: larger than the parser can hold

    // The raid pointers, valid while this object lives.
    std::vector<dkp::Raid*> getRaids() const;
};

// Loads the raids recorded in the account's addon data file (UTF-8). A missing or unreadable
// file, or one without a raid log, gives an empty list; so does a file over 2 GiB, which is
// marked `tooLarge`.
LoadedRaids loadRaids(std::u16string_view gameFolder, std::u16string_view account);

} // namespace gamefiles
