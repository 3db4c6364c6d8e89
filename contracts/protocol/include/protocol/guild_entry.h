#pragma once

#include "protocol/dkp_system.h"

#include <string>
#include <vector>

namespace protocol {

// One guild of the logged-in user.
struct GuildEntry {
    std::vector<DkpSystem> dkpSystems; // in the service's order
    std::u16string guildId;            // shown to the user and sent with an upload; empty: none
};

} // namespace protocol
