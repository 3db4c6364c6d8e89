#include "dkp/raid_log.h"

#include "dkp/log_time.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

namespace dkp {
namespace {

std::u16string trimmed(std::u16string text) {
    ustring::trimExt(text);
    return text;
}

// The value of the attribute called `name`, read in place; empty when there is none.
std::u16string_view valueOf(const grammar::Node& node, const std::u16string& name) {
    const std::u16string* value = node.findAttrib(name);
    return value == nullptr ? std::u16string_view() : std::u16string_view(*value);
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

// Where each member stands in the member list, by name; the first of equal names wins, as a
// search from the front would find it. Joins and leaves find their member in constant time,
// so a raid with many players is analysed in linear time.
// (A hasher of its own keeps the table's code private to this file, out of the library's exports.)
struct NameHash {
    std::size_t operator()(const std::u16string& name) const {
        return std::hash<std::u16string>{}(name);
    }
};
using MemberIndex = std::unordered_map<std::u16string, std::size_t, NameHash>;

MemberIndex indexOf(const std::vector<Member>& members) {
    MemberIndex index;
    index.reserve(members.size());
    for (std::size_t at = 0; at < members.size(); ++at)
        index.try_emplace(members[at].name, at);
    return index;
}

// The member called exactly `name`; appended with only its name set when missing.
Member& memberCalled(std::vector<Member>& members, MemberIndex& index, std::u16string_view name) {
    const auto [found, added] = index.try_emplace(std::u16string(name), members.size());
    if (added) {
        Member member;
        member.name = name;
        members.push_back(std::move(member));
    }
    return members[found->second];
}

} // namespace

RaidLog::RaidLog(const grammar::Node* node) : node_(node) {}

void RaidLog::analyse() {
    LogClock clock; // the zone in force now
    analyse(clock);
}

void RaidLog::analyse(LogClock& clock) {
    if (node_ == nullptr)
        return;
    clock_ = &clock;
    analyseTimeLine();
    analyseRaidInfo();
    analyseMembers();
    analyseBossKills();
    analyseLoots();
    clock_ = nullptr;
}

const BossKill& RaidLog::getBossKill(const std::u16string& name) const {
    return bossKills_.getBossKill(name);
}

std::u16string RaidLog::time2String(std::int64_t time) {
    return formatYearFirst(time);
}

bool RaidLog::analyseTimeLine() {
    raidStartTime_ = clock_->parse(trimmed(node_->getAttrib(u"key")));
    const std::u16string endText = trimmed(node_->getAttrib(u"End"));
    if (!endText.empty()) {
        raidEndTime_ = clock_->parse(endText);
        return true;
    }
    if (const grammar::Node* leaves = node_->findNode(u"Leave")) {
        raidEndTime_ = 0;
        for (const grammar::Node& leave : leaves->nodes)
            raidEndTime_ = std::max(raidEndTime_, clock_->parse(valueOf(leave, u"time")));
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
    const std::vector<grammar::Node>& infos = entriesOf(*node_, u"PlayerInfos");
    members_.reserve(members_.size() + infos.size());
    for (const grammar::Node& info : infos) {
        Member member;
        member.name = info.name;
        member.playerClass = classFromText(info.getAttrib(u"class"));
        member.guild = info.getAttrib(u"guild");
        member.level = parseDecimal(valueOf(info, u"level"));
        member.race = raceFromText(info.getAttrib(u"race"));
        member.sex = sexFromText(info.getAttrib(u"sex"));
        members_.push_back(std::move(member));
    }
    MemberIndex index = indexOf(members_);
    for (const grammar::Node& join : entriesOf(*node_, u"Join"))
        memberCalled(members_, index, valueOf(join, u"player"))
            .addJoinTime(clock_->parse(valueOf(join, u"time")));
    for (const grammar::Node& leave : entriesOf(*node_, u"Leave"))
        memberCalled(members_, index, valueOf(leave, u"player"))
            .addLeaveTime(clock_->parse(valueOf(leave, u"time")));
    return true;
}

bool RaidLog::analyseBossKills() {
    for (const grammar::Node& entry : entriesOf(*node_, u"BossKills")) {
        BossKill kill;
        kill.name = entry.getAttrib(u"boss");
        kill.time = clock_->parse(valueOf(entry, u"time"));
        kill.dkp = parseDecimal(valueOf(entry, u"dkp"));
        const std::vector<grammar::Attrib>& attendees = childOrEmpty(entry, u"attendees").attribs;
        kill.attendees.reserve(attendees.size());
        for (const grammar::Attrib& attendee : attendees)
            kill.attendees.push_back(attendee.name);
        bossKills_.addBossKill(std::move(kill));
    }
    return true;
}

bool RaidLog::analyseLoots() {
    const std::vector<grammar::Node>& entries = entriesOf(*node_, u"Loot");
    loots_.reserve(loots_.size() + entries.size());
    for (const grammar::Node& entry : entries) {
        Loot loot;
        loot.costs = parseDecimal(valueOf(entry, u"costs"));
        loot.player = entry.getAttrib(u"player");
        loot.zone = entry.getAttrib(u"zone");
        loot.time = clock_->parse(valueOf(entry, u"time"));
        loot.boss = entry.getAttrib(u"boss");
        const grammar::Node& item = childOrEmpty(entry, u"item");
        loot.rarity = rarityFromColour(item.getAttrib(u"c"));
        loot.id = item.getAttrib(u"id");
        loot.tooltip = item.getAttrib(u"tooltip");
        loot.name = item.getAttrib(u"name");
        loot.subclass = item.getAttrib(u"subclass");
        loot.itemClass = item.getAttrib(u"class");
        loot.count = parseDecimal(valueOf(item, u"count"));
        loot.icon = item.getAttrib(u"icon");
        loots_.push_back(std::move(loot));
    }
    return true;
}

} // namespace dkp
