#include "dkp/eqdkp_xml.h"

#include "dkp/attendance.h"
#include "dkp/game_language.h"
#include "dkp/log_time.h"
#include "dkp/value_tables.h"
#include "dkp/xml_writer.h"
#include "utilkit/ustring.h"

#include <map>

// Times are Unix seconds; a time the log does not know is written as an empty element, so that
// the site cannot mistake it for 1970. The log records no difficulty: 0 stands for unknown.
// Importers refuse a zone or an item without a name, so those get a name that says so.
namespace dkp {
namespace {

constexpr std::int64_t kUnknownDifficulty = 0;
constexpr const char16_t* kUnknownZone = u"未知区域";
constexpr const char16_t* kUnknownItem = u"未知物品";

bool isBlank(std::u16string text) {
    ustring::trimExt(text);
    return text.empty();
}

std::u16string zoneName(const Raid& raid) {
    const std::u16string zone = raid.getRaidLog().getZone();
    return isBlank(zone) ? kUnknownZone : zone;
}

// A nameless item is named by its item number, the part of the id before any ":".
std::u16string itemName(const Loot& loot) {
    if (!isBlank(loot.name))
        return loot.name;
    std::u16string number = loot.id.substr(0, loot.id.find(u':'));
    ustring::trimExt(number);
    return number.empty() ? kUnknownItem : kUnknownItem + (u" " + number);
}

std::u16string timeText(std::int64_t time) {
    if (!isKnownTime(time))
        return {};
    const std::string digits = std::to_string(time);
    return std::u16string(digits.begin(), digits.end());
}

// A member of one or more raids with the time present in all of them.
struct MemberStays {
    const Member* record;
    std::vector<PresenceSpan> stays;
};

// The members of the raids by name, in order of first appearance.
class MemberTable {
public:
    void addRaid(const Raid& raid) {
        const RaidPeriod period = raidPeriod(raid);
        for (const Member& member : raid.getMembers()) {
            const auto [at, added] = index_.try_emplace(member.name, members_.size());
            if (added)
                members_.push_back({&member, {}});
            const std::vector<PresenceSpan> present = timePresent(member, period);
            std::vector<PresenceSpan>& stays = members_[at->second].stays;
            stays.insert(stays.end(), present.begin(), present.end());
        }
    }
    const std::vector<MemberStays>& members() const { return members_; }

private:
    std::map<std::u16string, std::size_t> index_;
    std::vector<MemberStays> members_;
};

// The recorder is in the raid from its very start: the member whose first stay begins first.
std::u16string recordingCharacter(const std::vector<const Raid*>& raids) {
    if (raids.empty())
        return {};
    const Member* earliest = nullptr;
    std::int64_t earliestJoin = 0;
    for (const Member& member : raids.front()->getMembers())
        for (const PresenceSpan& span : member.presence)
            if (isKnownTime(span.joinTime) &&
                (earliest == nullptr || span.joinTime < earliestJoin)) {
                earliest = &member;
                earliestJoin = span.joinTime;
            }
    return earliest == nullptr ? std::u16string() : earliest->name;
}

void writeHead(XmlWriter& xml, const std::vector<const Raid*>& raids,
               const ExportOptions& options) {
    xml.open("head");
    xml.open("export");
    xml.leaf("name", u"Raidledger");
    xml.leaf("version", ustring::fromUtf8(options.programVersion));
    xml.close("export");
    xml.open("tracker");
    xml.leaf("name", u"TALLYRA");
    xml.close("tracker");
    xml.open("gameinfo");
    xml.leaf("game", u"World of Warcraft");
    xml.leaf("language", ustring::fromUtf8(options.language.empty() ? guessGameLanguage(raids)
                                                                    : options.language));
    xml.leaf("charactername",
             options.characterName.empty() ? recordingCharacter(raids) : options.characterName);
    xml.close("gameinfo");
    xml.close("head");
}

void writeZones(XmlWriter& xml, const std::vector<const Raid*>& raids) {
    xml.open("zones");
    for (const Raid* raid : raids) {
        const RaidPeriod period = raidPeriod(*raid);
        xml.open("zone");
        xml.leaf("enter", timeText(period.start));
        xml.leaf("leave", timeText(period.end));
        xml.leaf("name", zoneName(*raid));
        xml.leaf("difficulty", kUnknownDifficulty);
        xml.close("zone");
    }
    xml.close("zones");
}

void writeBossKills(XmlWriter& xml, const std::vector<const Raid*>& raids) {
    xml.open("bosskills");
    for (const Raid* raid : raids)
        for (const BossKill& kill : raid->getBossKills().getBossKills()) {
            xml.open("bosskill");
            xml.leaf("name", kill.name);
            xml.leaf("time", timeText(kill.time));
            xml.leaf("difficulty", kUnknownDifficulty);
            xml.close("bosskill");
        }
    xml.close("bosskills");
}

void writeMember(XmlWriter& xml, const MemberStays& member) {
    const Member& record = *member.record;
    xml.open("member");
    xml.leaf("name", record.name);
    xml.leaf("class", classToToken(record.playerClass));
    xml.leaf("race", raceToText(record.race));
    xml.leaf("guild", record.guild);
    xml.leaf("sex", sexToText(record.sex));
    xml.leaf("level", record.level);
    xml.leaf("note", u"");
    xml.open("times");
    // joined again, in case two of the raids overlap in time
    for (const PresenceSpan& stay : joinOverlappingStays(member.stays)) {
        xml.leaf("time", "type", "join", timeText(stay.joinTime));
        xml.leaf("time", "type", "leave", timeText(stay.leaveTime));
    }
    xml.close("times");
    xml.close("member");
}

void writeMembers(XmlWriter& xml, const std::vector<const Raid*>& raids) {
    MemberTable table;
    for (const Raid* raid : raids)
        table.addRaid(*raid);
    xml.open("members");
    for (const MemberStays& member : table.members())
        writeMember(xml, member);
    xml.close("members");
}

void writeItems(XmlWriter& xml, const std::vector<const Raid*>& raids) {
    xml.open("items");
    for (const Raid* raid : raids)
        for (const Loot& loot : raid->getLoots()) {
            xml.open("item");
            xml.leaf("name", itemName(loot));
            xml.leaf("time", timeText(loot.time));
            xml.leaf("member", loot.player);
            xml.leaf("itemid", loot.id);
            xml.leaf("cost", loot.costs);
            xml.leaf("boss", loot.boss);
            xml.leaf("zone", isBlank(loot.zone) ? zoneName(*raid) : loot.zone);
            xml.leaf("count", loot.count);
            xml.close("item");
        }
    xml.close("items");
}

} // namespace

std::string eqdkpXml(const std::vector<const Raid*>& raids, const ExportOptions& options) {
    XmlWriter xml;
    xml.open("raidlog");
    writeHead(xml, raids, options);
    xml.open("raiddata");
    writeZones(xml, raids);
    writeBossKills(xml, raids);
    writeMembers(xml, raids);
    writeItems(xml, raids);
    xml.close("raiddata");
    xml.close("raidlog");
    return xml.text();
}

} // namespace dkp
