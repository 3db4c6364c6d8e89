#include "dkp/raid_log.h"

#include "dkp/log_time.h"
#include "utilkit/ustring.h"

#include <algorithm>

namespace dkp {
namespace {

std::u16string trimmed(std::u16string text) {
    ustring::trimExt(text);
    return text;
}

// The entries of the child table called `name`; none when there is no such table.
const std::vector<grammar::Node>& entriesOf(const grammar::Node& node, const std::u16string& name) {
    static const std::vector<grammar::Node> kNone;
    const grammar::Node* child = node.findNode(name);
    return child == nullptr ? kNone : child->nodes;
}

// The child table called `name`, or an empty table when there is none.
const grammar::Node& childOrEmpty(const grammar::Node& node, const std::u16string& name) {
    static const grammar::Node kEmpty;
    const grammar::Node* child = node.findNode(name);
    return child == nullptr ? kEmpty : *child;
}

} // namespace

RaidLog::RaidLog(const grammar::Node* node) : node_(node) {}

void RaidLog::analyse() {
    if (node_ == nullptr)
        return;
    clock_ = LogClock(); // the zone in force now
    analyseTimeLine();
    analyseRaidInfo();
    analyseMembers();
    analyseBossKills();
    analyseLoots();
}

const BossKill& RaidLog::getBossKill(const std::u16string& name) const {
    return bossKills_.getBossKill(name);
}

std::u16string RaidLog::time2String(std::int64_t time) {
    return formatYearFirst(time);
}

bool RaidLog::analyseTimeLine() {
    raidStartTime_ = clock_.parse(trimmed(node_->getAttrib(u"key")));
    const std::u16string endText = trimmed(node_->getAttrib(u"End"));
    if (!endText.empty()) {
        raidEndTime_ = clock_.parse(endText);
        return true;
    }
    if (const grammar::Node* leaves = node_->findNode(u"Leave")) {
        raidEndTime_ = 0;
        for (const grammar::Node& leave : leaves->nodes)
            raidEndTime_ = std::max(raidEndTime_, clock_.parse(leave.getAttrib(u"time")));
    }
    return true;
}

bool RaidLog::analyseRaidInfo() {
    setNote(node_->getAttrib(u"note"));
    setZone(node_->getAttrib(u"zone"));
    setRealm(node_->getAttrib(u"Realm"));
    return true;
}

bool RaidLog::analyseMembers() {
    for (const grammar::Node& info : entriesOf(*node_, u"PlayerInfos")) {
        Member member;
        member.name = info.name;
        member.playerClass = classFromText(info.getAttrib(u"class"));
        member.guild = info.getAttrib(u"guild");
        member.level = parseDecimal(info.getAttrib(u"level"));
        member.race = raceFromText(info.getAttrib(u"race"));
        member.sex = sexFromText(info.getAttrib(u"sex"));
        members_.push_back(std::move(member));
    }
    for (const grammar::Node& join : entriesOf(*node_, u"Join"))
        getMember(join.getAttrib(u"player")).addJoinTime(clock_.parse(join.getAttrib(u"time")));
    for (const grammar::Node& leave : entriesOf(*node_, u"Leave"))
        getMember(leave.getAttrib(u"player")).addLeaveTime(clock_.parse(leave.getAttrib(u"time")));
    return true;
}

bool RaidLog::analyseBossKills() {
    for (const grammar::Node& entry : entriesOf(*node_, u"BossKills")) {
        BossKill kill;
        kill.name = entry.getAttrib(u"boss");
        kill.time = clock_.parse(entry.getAttrib(u"time"));
        kill.dkp = parseDecimal(entry.getAttrib(u"dkp"));
        for (const grammar::Attrib& attendee : childOrEmpty(entry, u"attendees").attribs)
            kill.attendees.push_back(attendee.name);
        bossKills_.addBossKill(kill);
    }
    return true;
}

bool RaidLog::analyseLoots() {
    for (const grammar::Node& entry : entriesOf(*node_, u"Loot")) {
        Loot loot;
        loot.costs = parseDecimal(entry.getAttrib(u"costs"));
        loot.player = entry.getAttrib(u"player");
        loot.zone = entry.getAttrib(u"zone");
        loot.time = clock_.parse(entry.getAttrib(u"time"));
        loot.boss = entry.getAttrib(u"boss");
        const grammar::Node& item = childOrEmpty(entry, u"item");
        loot.rarity = rarityFromColour(item.getAttrib(u"c"));
        loot.id = item.getAttrib(u"id");
        loot.tooltip = item.getAttrib(u"tooltip");
        loot.name = item.getAttrib(u"name");
        loot.subclass = item.getAttrib(u"subclass");
        loot.itemClass = item.getAttrib(u"class");
        loot.count = parseDecimal(item.getAttrib(u"count"));
        loot.icon = item.getAttrib(u"icon");
        loots_.push_back(std::move(loot));
    }
    return true;
}

Member& RaidLog::getMember(const std::u16string& name) {
    const auto found = std::find_if(members_.begin(), members_.end(),
                                    [&](const Member& member) { return member.name == name; });
    if (found != members_.end())
        return *found;
    Member added;
    added.name = name;
    members_.push_back(std::move(added));
    return members_.back();
}

} // namespace dkp
