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

// The child table called `name`, or an empty table when there is none.
grammar::Node childOrEmpty(const grammar::Node& node, const std::u16string& name) {
    grammar::Node child;
    node.getNode(name, child);
    return child;
}

} // namespace

RaidLog::RaidLog(const grammar::Node* node) : node_(node) {}

void RaidLog::analyse() {
    if (node_ == nullptr)
        return;
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
    raidStartTime_ = parseLogTime(trimmed(node_->getAttrib(u"key")));
    const std::u16string endText = trimmed(node_->getAttrib(u"End"));
    if (!endText.empty()) {
        raidEndTime_ = parseLogTime(endText);
        return true;
    }
    grammar::Node leaves;
    if (node_->getNode(u"Leave", leaves)) {
        raidEndTime_ = 0;
        for (const grammar::Node& leave : leaves.nodes)
            raidEndTime_ = std::max(raidEndTime_, parseLogTime(leave.getAttrib(u"time")));
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
    grammar::Node section;
    if (node_->getNode(u"PlayerInfos", section)) {
        for (const grammar::Node& info : section.nodes) {
            Member member;
            member.name = info.name;
            member.playerClass = classFromText(info.getAttrib(u"class"));
            member.guild = info.getAttrib(u"guild");
            member.level = parseDecimal(info.getAttrib(u"level"));
            member.race = raceFromText(info.getAttrib(u"race"));
            member.sex = sexFromText(info.getAttrib(u"sex"));
            members_.push_back(std::move(member));
        }
    }
    if (node_->getNode(u"Join", section))
        for (const grammar::Node& join : section.nodes)
            getMember(join.getAttrib(u"player")).addJoinTime(parseLogTime(join.getAttrib(u"time")));
    if (node_->getNode(u"Leave", section))
        for (const grammar::Node& leave : section.nodes)
            getMember(leave.getAttrib(u"player"))
                .addLeaveTime(parseLogTime(leave.getAttrib(u"time")));
    return true;
}

bool RaidLog::analyseBossKills() {
    grammar::Node section;
    if (!node_->getNode(u"BossKills", section))
        return true;
    for (const grammar::Node& entry : section.nodes) {
        BossKill kill;
        kill.name = entry.getAttrib(u"boss");
        kill.time = parseLogTime(entry.getAttrib(u"time"));
        kill.dkp = parseDecimal(entry.getAttrib(u"dkp"));
        grammar::Node attendees;
        if (entry.getNode(u"attendees", attendees))
            for (const grammar::Attrib& attendee : attendees.attribs)
                kill.attendees.push_back(attendee.name);
        bossKills_.addBossKill(kill);
    }
    return true;
}

bool RaidLog::analyseLoots() {
    grammar::Node section;
    if (!node_->getNode(u"Loot", section))
        return true;
    for (const grammar::Node& entry : section.nodes) {
        Loot loot;
        loot.costs = parseDecimal(entry.getAttrib(u"costs"));
        loot.player = entry.getAttrib(u"player");
        loot.zone = entry.getAttrib(u"zone");
        loot.time = parseLogTime(entry.getAttrib(u"time"));
        loot.boss = entry.getAttrib(u"boss");
        const grammar::Node item = childOrEmpty(entry, u"item");
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
