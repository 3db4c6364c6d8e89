#pragma once

#include "raidsift/export.h"

#include <cstdint>

namespace grammar {

// The positions of an opening block character and of the character that closes it; -1 when
// not found. Null when both are -1.
struct RAIDSIFT_API Partnership {
    std::int32_t head = -1;
    std::int32_t tail = -1;

    bool isNull() const { return head == -1 && tail == -1; }
};

} // namespace grammar
