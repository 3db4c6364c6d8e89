#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace dkpsite {

// A raid the demo guild has already uploaded: its upload document, the event's name and the
// position of its DKP system among the guild's systems.
struct DemoRaid {
    std::string_view eventName;
    std::size_t system;
    std::string_view document;
};

// The upload documents of raids 1, 2 and 4 of the sample raid log (tests/data/TALLYRA.lua), as
// the client exports them with its clock in Asia/Shanghai.
std::span<const DemoRaid> demoRaids();

} // namespace dkpsite
