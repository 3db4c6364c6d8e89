#include "ledger/standing.h"

#include <limits>

namespace dkpsite {

std::int64_t Standing::dkp() const {
    std::int64_t difference = 0;
    if (!__builtin_sub_overflow(earned, spent, &difference))
        return difference;
    return spent < 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
}

} // namespace dkpsite
