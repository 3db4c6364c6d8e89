#pragma once

#include <cstdint>
#include <string>

namespace dkpsite {

// One player's points in one DKP system.
struct Standing {
    std::string name;
    std::string playerClass;
    std::int64_t earned = 0;
    std::int64_t spent = 0;

    // earned − spent, held at the ends of the 64-bit range rather than wrapping around: points
    // stored before uploads were bounded may be of any size.
    std::int64_t dkp() const;
};

} // namespace dkpsite
