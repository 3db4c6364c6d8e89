#include "dkp/raid.h"

#include <algorithm>

namespace dkp {
namespace {

void appendWhere(const Loots& loots, Loots& out, auto&& wanted) {
    std::copy_if(loots.begin(), loots.end(), std::back_inserter(out), wanted);
}

} // namespace

Raid::Raid() = default;
Raid::~Raid() = default;

void Raid::loadFromNode(const grammar::Node* node) {
    LogClock clock;
    loadFromNode(node, clock);
}

void Raid::loadFromNode(const grammar::Node* node, LogClock& clock) {
    // A fresh log each time: a kept log would still point at the node of an earlier call.
    log_ = std::make_unique<RaidLog>(node);
    log_->analyse(clock);
}

void Raid::loadFromCompactTree(std::shared_ptr<const grammar::CompactTree> tree, std::uint32_t node,
                               LogClock& clock) {
    log_ = std::make_unique<RaidLog>(nullptr);
    log_->analyse(std::move(tree), node, clock);
}

const RaidLog& Raid::log() const {
    static const RaidLog kNotLoaded(nullptr);
    return log_ ? *log_ : kNotLoaded;
}

std::u16string Raid::getRaidName() const {
    std::u16string name = RaidLog::time2String(log().getRaidStartTime());
    const std::u16string zone = log().getZone();
    if (!zone.empty())
        name += u"(" + zone + u")";
    return name;
}

const BossKills& Raid::getBossKills() const {
    return log().getBossKills();
}

const BossKill& Raid::getBossKill(const std::u16string& name) const {
    return log().getBossKill(name);
}

const Loots& Raid::getLoots() const {
    return log().getLoots();
}

std::size_t Raid::getMemberCount() const {
    return log().getMemberCount();
}

std::size_t Raid::getBossKillCount() const {
    return log().getBossKillCount();
}

std::size_t Raid::getLootCount() const {
    return log().getLootCount();
}

const std::vector<Member>& Raid::getMembers() const {
    return log().getMembers();
}

void Raid::getBossLoot(const std::u16string& name, Loots& out) const {
    appendWhere(getLoots(), out, [&](const Loot& loot) { return loot.boss == name; });
}

void Raid::getMobsLoot(Loots& out) const {
    getBossLoot(kTrashMobBoss, out);
}

void Raid::getLoots(RARITY rarity, Loots& out) const {
    appendWhere(getLoots(), out, [&](const Loot& loot) { return loot.rarity >= rarity; });
}

std::uint32_t Raid::getTotalObtain() const {
    return log().getTotalObtain();
}

std::uint32_t Raid::getTotalConsume() const {
    return log().getTotalConsume();
}

} // namespace dkp
