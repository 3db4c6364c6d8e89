#pragma once

#include <cstdint>
#include <string>

namespace protocol {

// One DKP system (points pool) of a guild.
struct DkpSystem {
    std::uint32_t id = 0; // the system's number on the web site; sent with an upload
    std::u16string name;  // the text shown to the user in the DKP choice
};

} // namespace protocol
