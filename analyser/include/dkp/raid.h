#pragma once

#include "dkp/boss_kills.h"
#include "dkp/loot.h"
#include "dkp/member.h"
#include "dkp/raid_log.h"
#include "grammar/node.h"
#include "raidsift/export.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dkp {

// The boss name under which loot that did not drop from a boss is logged (trash-mob loot).
inline constexpr const char16_t* kTrashMobBoss = u"小怪掉落";

// One raid of the raid log with its analysed log. Load it once with loadFromNode; before that
// every query answers as for an empty raid.
class RAIDSIFT_API Raid {
public:
    Raid();
    ~Raid();
    Raid(const Raid&) = delete;
    Raid& operator=(const Raid&) = delete;

    // Analyses the raid's table; `node` is read only during the call.
    void loadFromNode(const grammar::Node* node);
    // The same, reading times with `clock`, which many raids may share.
    void loadFromNode(const grammar::Node* node, LogClock& clock);
    // The same for the raid's table in the library's compact tree (node number `node`). The raid
    // holds the tree until its loot is first asked for (see RaidLog).
    void loadFromCompactTree(std::shared_ptr<const grammar::CompactTree> tree, std::uint32_t node,
                             LogClock& clock);

    // Start time as "yy/mm/dd hh:mm:ss", followed by "(zone)" when the zone is not empty.
    std::u16string getRaidName() const;

    const BossKills& getBossKills() const;
    const BossKill& getBossKill(const std::u16string& name) const;
    const Loots& getLoots() const;
    const std::vector<Member>& getMembers() const;
    // The sizes of the three lists, known without reading them.
    std::size_t getMemberCount() const;
    std::size_t getBossKillCount() const;
    std::size_t getLootCount() const;
    const RaidLog& getRaidLog() const { return log(); }

    // These append copies to `out` (which is not cleared), in loot order.
    void getBossLoot(const std::u16string& name, Loots& out) const;
    void getMobsLoot(Loots& out) const;
    void getLoots(RARITY rarity, Loots& out) const;

    // DKP earned by boss kills and spent on loot; 32-bit sums that wrap.
    std::uint32_t getTotalObtain() const;
    std::uint32_t getTotalConsume() const;

    // The upload document of the raid (the web site's raid information text).
    std::u16string exportDocument() const;

private:
    static std::u16string toString(RARITY value);
    static std::u16string toString(CLASS value);
    static std::u16string toString(RACE value);
    static std::u16string toString(SEX value);
    static std::u16string timeToString(std::int64_t time);
    const RaidLog& log() const;

    std::u16string exportTime() const;
    std::u16string exportRealm() const;
    std::u16string exportStart() const;
    std::u16string exportEnd() const;
    std::u16string exportZone() const;
    std::u16string exportPlayerInfo() const;
    std::u16string exportMember(const Member& member) const;
    std::u16string exportBossKills() const;
    std::u16string exportBossKill(const BossKill& kill) const;
    std::u16string exportNote() const;
    std::u16string exportLoots() const;
    std::u16string exportLoot(const Loot& loot) const;

    std::unique_ptr<RaidLog> log_;
};

} // namespace dkp
