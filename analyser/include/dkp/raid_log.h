#pragma once

#include "dkp/boss_kills.h"
#include "dkp/log_time.h"
#include "dkp/loot.h"
#include "dkp/member.h"
#include "dkp/read_later.h"
#include "grammar/node.h"
#include "raidsift/export.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace grammar {
class CompactTree;
}

namespace dkp {

// The analysed form of one raid table of "CT_RaidTracker_RaidLog": times, realm, zone, note,
// members with their stays, boss kills and loot. Build it on the raid's node and call
// analyse() once; the node is read only during analyse().
class RAIDSIFT_API RaidLog {
public:
    explicit RaidLog(const grammar::Node* node);

    void analyse();
    // The same, reading times with `clock` (a clock shared by many raids reads them faster).
    void analyse(LogClock& clock);
    // The same for the raid's table in the library's compact tree (node number `node`), where
    // the log was built without a node: gives what analysing the table's public form gives.
    // The members, boss kills and loot are read from the tree when first asked for, so the log
    // holds the tree until then; a list of raids needs no more than their figures.
    void analyse(std::shared_ptr<const grammar::CompactTree> tree, std::uint32_t node,
                 LogClock& clock);

    std::int64_t getRaidStartTime() const { return raidStartTime_; }
    std::int64_t getRaidEndTime() const { return raidEndTime_; }
    std::u16string getNote() const { return note_; }
    std::u16string getZone() const { return zone_; }
    std::u16string getRealm() const { return realm_; }
    void setNote(const std::u16string& note) { note_ = note; }
    void setZone(const std::u16string& zone) { zone_ = zone; }
    void setRealm(const std::u16string& realm) { realm_ = realm; }

    // These three are safe to call from several threads at once.
    const std::vector<Member>& getMembers() const { return members_.get(); }
    const BossKills& getBossKills() const { return bossKills_.get(); }
    const Loots& getLoots() const { return loots_.get(); }
    std::size_t getMemberCount() const { return memberCount_; }
    std::size_t getBossKillCount() const { return killTimes_.size(); }
    std::size_t getLootCount() const { return lootTimes_.size(); }
    // DKP earned by boss kills (each kill's dkp, when positive, for each attendee, or for each
    // member when the kill names none) and spent on loot (costs times count); 32-bit sums
    // that wrap.
    std::uint32_t getTotalObtain() const { return totalObtain_; }
    std::uint32_t getTotalConsume() const { return totalConsume_; }
    const BossKill& getBossKill(const std::u16string& name) const;

    // Local time as "yy/mm/dd hh:mm:ss"; empty for a time the calendar cannot convert.
    static std::u16string time2String(std::int64_t time);

private:
    // `Table` reads a raid table of either tree (see raid_log.cpp).
    template <typename Table> void read(Table& raid);
    template <typename Table> void readTimeLine(Table& raid);
    template <typename Table> void readRaidInfo(Table& raid);
    template <typename Table> void readStayTimes(Table& raid);
    template <typename Table> void readBossKillFigures(Table& raid);
    template <typename Table> void readLootFigures(Table& raid);
    template <typename Table> void readMembers(Table& raid, std::vector<Member>& members) const;
    template <typename Table> void readBossKills(Table& raid, BossKills& kills) const;
    template <typename Table> void readLoots(Table& raid, Loots& loots) const;
    // Reads the members, boss kills and loot of the raid's table in `tree` when first asked
    // for.
    void readLater(const std::shared_ptr<const grammar::CompactTree>& tree, std::uint32_t node);

    const grammar::Node* node_;
    LogClock* clock_ = nullptr; // during analyse()
    std::int64_t raidStartTime_ = 0;
    std::int64_t raidEndTime_ = 0;
    std::u16string note_;
    std::u16string realm_;
    std::u16string zone_;
    // Times are read with the clock of analyse(), in log order.
    std::vector<std::int64_t> joinTimes_;
    std::vector<std::int64_t> leaveTimes_;
    std::vector<std::int64_t> killTimes_;
    std::vector<std::int64_t> lootTimes_;
    std::size_t memberCount_ = 0;
    std::uint32_t totalObtain_ = 0;
    std::uint32_t totalConsume_ = 0;
    ReadLater<std::vector<Member>> members_;
    ReadLater<BossKills> bossKills_;
    ReadLater<Loots> loots_;
};

} // namespace dkp
