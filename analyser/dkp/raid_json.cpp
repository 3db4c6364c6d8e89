#include "dkp/raid_json.h"

#include "dkp/attendance.h"
#include "utilkit/ustring.h"

namespace dkp {
namespace {

using Json = nlohmann::ordered_json;

// UTF-8 for JSON; a broken surrogate becomes U+FFFD, so the text is always valid.
std::string utf8(const std::u16string& text) {
    return ustring::toUtf8(text);
}

Json memberToJson(const Member& member) {
    Json presence = Json::array();
    for (const auto& span : member.presence)
        presence.push_back({{"join", span.joinTime}, {"leave", span.leaveTime}});
    return {{"name", utf8(member.name)},
            {"sex", static_cast<int>(member.sex)},
            {"class", static_cast<int>(member.playerClass)},
            {"race", static_cast<int>(member.race)},
            {"guild", utf8(member.guild)},
            {"level", member.level},
            {"presence", presence}};
}

Json bossKillToJson(const BossKill& kill) {
    Json attendees = Json::array();
    for (const auto& name : kill.attendees)
        attendees.push_back(utf8(name));
    return {{"name", utf8(kill.name)},
            {"time", kill.time},
            {"dkp", kill.dkp},
            {"attendees", attendees}};
}

Json lootToJson(const Loot& loot) {
    return {{"name", utf8(loot.name)},
            {"rarity", static_cast<int>(loot.rarity)},
            {"id", utf8(loot.id)},
            {"subclass", utf8(loot.subclass)},
            {"itemClass", utf8(loot.itemClass)},
            {"count", loot.count},
            {"player", utf8(loot.player)},
            {"zone", utf8(loot.zone)},
            {"boss", utf8(loot.boss)},
            {"time", loot.time},
            {"tooltip", utf8(loot.tooltip)},
            {"costs", loot.costs},
            {"icon", utf8(loot.icon)}};
}

Json attendanceToJson(const MemberAttendance& row) {
    return {{"name", utf8(row.name)},
            {"class", static_cast<int>(row.memberClass)},
            {"secondsPresent", row.secondsPresent},
            {"percentOfRaid", row.percentOfRaid},
            {"killsAttended", row.killsAttended},
            {"killsInRaid", row.killsInRaid},
            {"percentOfKills", row.percentOfKills},
            {"pointsEarned", row.pointsEarned}};
}

} // namespace

Json raidToJson(const Raid& raid) {
    const RaidLog& log = raid.getRaidLog();
    Json members = Json::array();
    for (const auto& member : raid.getMembers())
        members.push_back(memberToJson(member));
    Json kills = Json::array();
    for (const auto& kill : raid.getBossKills().getBossKills())
        kills.push_back(bossKillToJson(kill));
    Json loots = Json::array();
    for (const auto& loot : raid.getLoots())
        loots.push_back(lootToJson(loot));
    return {{"name", utf8(raid.getRaidName())},
            {"start", log.getRaidStartTime()},
            {"end", log.getRaidEndTime()},
            {"realm", utf8(log.getRealm())},
            {"zone", utf8(log.getZone())},
            {"note", utf8(log.getNote())},
            {"members", members},
            {"bossKills", kills},
            {"loots", loots},
            {"totalObtain", raid.getTotalObtain()},
            {"totalConsume", raid.getTotalConsume()}};
}

Json raidWithAttendanceToJson(const Raid& raid) {
    Json json = raidToJson(raid);
    Json attendance = Json::array();
    for (const MemberAttendance& row : computeAttendance(raid))
        attendance.push_back(attendanceToJson(row));
    json["attendance"] = attendance;
    return json;
}

} // namespace dkp
