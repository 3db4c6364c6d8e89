#pragma once

#include "dkp/value_tables.h"
#include "raidsift/export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dkp {

// One item that dropped and was given to a player (log keys in comments).
struct RAIDSIFT_API Loot {
    std::u16string name;         // item "name"
    RARITY rarity = RARITY_GREY; // item "c"
    std::u16string id;           // item "id"
    std::u16string subclass;     // item "subclass"
    std::u16string itemClass;    // item "class"
    std::int32_t count = 0;      // item "count"
    std::u16string player;       // "player"
    std::u16string zone;         // "zone"
    std::u16string boss;         // "boss"
    std::int64_t time = 0;       // "time"
    std::u16string tooltip;      // item "tooltip"
    std::int32_t costs = 0;      // "costs"
    std::u16string icon;         // item "icon"
};

// A raid's loot in log order.
using Loots = std::vector<Loot>;

} // namespace dkp
