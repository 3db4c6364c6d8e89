#pragma once

#include "raidsift/export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dkp {

// One boss killed during a raid.
struct RAIDSIFT_API BossKill {
    std::u16string name;
    std::int64_t time = 0;
    std::vector<std::u16string> attendees; // in log order
    std::int32_t dkp = 0;
};

// A raid's boss kills in log order.
class RAIDSIFT_API BossKills {
public:
    void addBossKill(const BossKill& kill);
    void addBossKill(BossKill&& kill);
    // The first kill called exactly `name`, or a shared empty kill (empty name) when none is.
    const BossKill& getBossKill(const std::u16string& name) const;
    const std::vector<BossKill>& getBossKills() const { return kills_; }

private:
    std::vector<BossKill> kills_;
};

} // namespace dkp
