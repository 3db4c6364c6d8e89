#include "dkp/boss_kills.h"

#include <algorithm>
#include <utility>

namespace dkp {

void BossKills::addBossKill(const BossKill& kill) {
    kills_.push_back(kill);
}

void BossKills::addBossKill(BossKill&& kill) {
    kills_.push_back(std::move(kill));
}

const BossKill& BossKills::getBossKill(const std::u16string& name) const {
    static const BossKill kNoKill;
    const auto found = std::find_if(kills_.begin(), kills_.end(),
                                    [&](const BossKill& kill) { return kill.name == name; });
    return found == kills_.end() ? kNoKill : *found;
}

} // namespace dkp
