#include "dkp/log_time.h"
#include "dkp/raid.h"
#include "utilkit/ustring.h"

// The upload document: plain concatenated elements, no white space, no escaping. The web site
// parses the element names, their order and the "keyN" numbering of list entries.
namespace dkp {
namespace {

std::u16string element(const std::u16string& name, const std::u16string& content) {
    return u"<" + name + u">" + content + u"</" + name + u">";
}

std::u16string numbered(std::size_t index, const std::u16string& content) {
    return element(u"key" + ustring::ToString(static_cast<std::int32_t>(index + 1)), content);
}

} // namespace

std::u16string Raid::toString(RARITY value) {
    return rarityToColour(value);
}
std::u16string Raid::toString(CLASS value) {
    return classToText(value);
}
std::u16string Raid::toString(RACE value) {
    return raceToText(value);
}
std::u16string Raid::toString(SEX value) {
    return sexToText(value);
}
std::u16string Raid::timeToString(std::int64_t time) {
    return formatMonthFirst(time);
}

std::u16string Raid::exportDocument() const {
    return element(u"RaidInfo", exportTime() + exportRealm() + exportStart() + exportEnd() +
                                    exportZone() + exportPlayerInfo() + exportBossKills() +
                                    exportNote() + exportLoots());
}

std::u16string Raid::exportTime() const {
    return element(u"key", timeToString(log().getRaidStartTime()));
}

std::u16string Raid::exportRealm() const {
    return element(u"realm", log().getRealm());
}

std::u16string Raid::exportStart() const {
    return element(u"start", timeToString(log().getRaidStartTime()));
}

std::u16string Raid::exportEnd() const {
    return element(u"end", timeToString(log().getRaidEndTime()));
}

std::u16string Raid::exportZone() const {
    return element(u"zone", log().getZone());
}

std::u16string Raid::exportPlayerInfo() const {
    std::u16string entries;
    const std::vector<Member>& members = getMembers();
    for (std::size_t i = 0; i < members.size(); ++i)
        entries += numbered(i, exportMember(members[i]));
    return element(u"PlayerInfos", entries);
}

std::u16string Raid::exportMember(const Member& member) const {
    return element(u"name", member.name) + element(u"race", toString(member.race)) +
           element(u"guild", member.guild) + element(u"sex", toString(member.sex)) +
           element(u"class", toString(member.playerClass)) +
           element(u"level", ustring::ToString(member.level));
}

std::u16string Raid::exportBossKills() const {
    std::u16string entries;
    const std::vector<BossKill>& kills = getBossKills().getBossKills();
    for (std::size_t i = 0; i < kills.size(); ++i)
        entries += numbered(i, exportBossKill(kills[i]));
    return element(u"BossKills", entries);
}

std::u16string Raid::exportBossKill(const BossKill& kill) const {
    std::u16string attendees;
    for (std::size_t i = 0; i < kill.attendees.size(); ++i)
        attendees += numbered(i, element(u"name", kill.attendees[i]));
    return element(u"name", kill.name) + element(u"dkp", ustring::ToString(kill.dkp)) +
           element(u"time", timeToString(kill.time)) + element(u"attendees", attendees);
}

std::u16string Raid::exportNote() const {
    return element(u"note", log().getNote());
}

std::u16string Raid::exportLoots() const {
    std::u16string entries;
    const Loots& loots = getLoots();
    for (std::size_t i = 0; i < loots.size(); ++i)
        entries += numbered(i, exportLoot(loots[i]));
    return element(u"Loot", entries);
}

std::u16string Raid::exportLoot(const Loot& loot) const {
    return element(u"ItemName", loot.name) + element(u"ItemID", loot.id) +
           element(u"Icon", loot.icon) + element(u"Class", loot.itemClass) +
           element(u"SubClass", loot.subclass) + element(u"Color", toString(loot.rarity)) +
           element(u"Count", ustring::ToString(loot.count)) + element(u"Player", loot.player) +
           element(u"Costs", ustring::ToString(loot.costs)) +
           element(u"Time", timeToString(loot.time)) + element(u"Zone", loot.zone) +
           element(u"Boss", loot.boss) + element(u"Tooltip", loot.tooltip);
}

} // namespace dkp
